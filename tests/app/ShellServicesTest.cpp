// The help, the About box and the single-instance guard, off screen. The guard
// is tested across real processes, since that is the only place it matters.
#include "About.h"
#include "HelpViewer.h"
#include "SingleInstance.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vemo {
namespace {

QString HelpSource()
{
    QFile file(QStringLiteral(":/help/vemo-help.html"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// ---------------------------------------------------------------- help URL

struct TopicCase {
    int id;
    const char* anchor;
};

class HelpUrlTest : public ::testing::TestWithParam<TopicCase> {};

TEST_P(HelpUrlTest, PointsAtTheTopicInTheWrittenOutDocument)
{
    const QUrl url = HelpUrl(GetParam().id);
    ASSERT_TRUE(url.isLocalFile()) << url.toString().toStdString();
    EXPECT_EQ(url.fragment(), QString::fromLatin1(GetParam().anchor));
    EXPECT_TRUE(QFileInfo::exists(url.toLocalFile()));
}

INSTANTIATE_TEST_SUITE_P(Topics, HelpUrlTest,
                         ::testing::Values(TopicCase{20, "topic-20"}, TopicCase{32, "topic-32"},
                                           TopicCase{33, "topic-33"}, TopicCase{42, "topic-42"},
                                           TopicCase{kHelpTopicSetup, "topic-setup"},
                                           TopicCase{kHelpTopicContents, ""}, TopicCase{12345, ""}),
                         [](const ::testing::TestParamInfo<TopicCase>& info) {
                             return "Topic" + std::to_string(info.param.id);
                         });

TEST(HelpFile, WrittenOutCopyIsTheCompiledInDocument)
{
    QFile file(HelpUrl(20).toLocalFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), HelpSource());
}

// ---------------------------------------------------------------- help text

TEST(HelpDocument, HasEveryTopicAnchor)
{
    const QString html = HelpSource();
    ASSERT_FALSE(html.isEmpty());
    for (const char* anchor : {"topic-20", "topic-32", "topic-33", "topic-42", "topic-setup"}) {
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(anchor))))
            << anchor << " has no section";
        // The in-program viewer scrolls by <a name>.
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(anchor)))) << anchor;
    }
}

TEST(HelpDocument, EveryContentsLinkHasItsSection)
{
    const QString html = HelpSource();
    QSet<QString> targets;
    const QRegularExpression named(QStringLiteral("(?:id|name)=\"([^\"]+)\""));
    for (auto it = named.globalMatch(html); it.hasNext();) targets.insert(it.next().captured(1));
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (auto it = link.globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(targets.contains(target)) << "broken link #" << target.toStdString();
    }
    EXPECT_GT(links, 20);
}

TEST(HelpDocument, NamesEveryMenuItemAndShortcut)
{
    const QString html = HelpSource();
    const char* texts[] = {"New Game", "Open Game", "Save Game", "Exit", "Best Scores", "Sound",
                           "Animation - Normal", "Animation - FAST", "No Animation", "Sort Hand",
                           "Interrupt Computer", "Draw Card", "Pause", "Help Topics", "Vemo Primer", "Tyl on the Web", "About",
                           "Game Log", "Table Summary", "Show playable cards", "Large cards and high contrast",
                           "Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+B", "Ctrl+U", "Ctrl+A", "Ctrl+F", "Ctrl+H",
                           "Ctrl+X", "Ctrl+D", "F1"};
    for (const char* text : texts) EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
}

TEST(HelpDocument, StatesTheRulesThatAreEasyToGetWrong)
{
    const QString html = HelpSource();
    const char* texts[] = {"25 points deducted", "still draw 1 card", "92 cards", "Vemo.mdb", "error.log",
                           "--data-dir", "VEMO_DATA_DIR",
                           "All saves are as of the beginning of the human player&rsquo;s last turn",
                           "a drop", "a leaf", "a diamond", "a heart", "a sun",
                           "asking for it again would waste an ask", "Open in Web Browser"};
    for (const char* text : texts) EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
}

// ---------------------------------------------------------------- in-program viewer

// The top of the block that carries the anchor, in document coordinates.
qreal AnchorTop(QTextBrowser* browser, const QString& anchor)
{
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return document->documentLayout()->blockBoundingRect(block).top();
        }
    }
    return -1;
}

// A desktop opener that reports success and opens nothing, as on a machine
// without a web browser; it keeps what it was given.
class SilentOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override { QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "Open"); }
    void TearDown() override
    {
        delete OpenHelpViewer();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
    SilentOpener opener;

    // The anchor's block lies in the visible part of the document.
    static void ExpectShowing(HelpViewerDialog* viewer, const QString& anchor)
    {
        QTextBrowser* browser = viewer->Browser();
        const qreal top = AnchorTop(browser, anchor);
        ASSERT_GE(top, 0) << anchor.toStdString() << " not in the shown document";
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_GE(top + 2, scrolled) << anchor.toStdString();
        EXPECT_LT(top, scrolled + browser->viewport()->height()) << anchor.toStdString();
    }
};

TEST_F(HelpViewerTest, OpensAtTheTopicAndMovesToTheNext)
{
    ShowHelp(nullptr, 42);
    HelpViewerDialog* viewer = OpenHelpViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    EXPECT_FALSE(viewer->isModal());
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("The pause window")));
    EXPECT_GT(viewer->Browser()->verticalScrollBar()->value(), 0);
    ExpectShowing(viewer, QStringLiteral("topic-42"));

    ShowHelp(nullptr, 32);
    EXPECT_EQ(OpenHelpViewer(), viewer) << "a second topic reuses the open viewer";
    ExpectShowing(viewer, QStringLiteral("topic-32"));
    // The browser is offered, at the topic shown, from the viewer.
    ASSERT_TRUE(opener.opened.isEmpty());
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdBrowser")), Qt::LeftButton);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], HelpUrl(32));

    ShowHelp(nullptr, kHelpTopicContents);
    EXPECT_EQ(viewer->Browser()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpViewerTest, SetupTopicIsShown)
{
    ShowHelp(nullptr, kHelpTopicSetup);
    HelpViewerDialog* viewer = OpenHelpViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    ExpectShowing(viewer, QStringLiteral("topic-setup"));
}

// A click delivered as the window system delivers it, so that a window that a
// modal window blocks does not get it.
void ClickThroughWindow(QWidget* button)
{
    QWidget* window = button->window();
    const QPoint at = button->mapTo(window, button->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

// Help Topics opens the help and then the pause window over the table; the
// viewer must still take clicks while the pause is up.
TEST_F(HelpViewerTest, UsableWhileAWindowModalPauseIsOpen)
{
    QWidget table;
    table.resize(600, 400);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    ShowHelp(&table, 20);
    QDialog pause(&table);
    pause.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pause));

    // A window owned by the table is blocked by the pause: clicks on it are
    // dropped, which is what the help viewer must escape.
    QDialog owned(&table);
    auto* ownedButton = new QPushButton(QStringLiteral("Close"), &owned);
    QObject::connect(ownedButton, &QPushButton::clicked, &owned, &QDialog::close);
    owned.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owned));
    ClickThroughWindow(ownedButton);
    ASSERT_TRUE(owned.isVisible()) << "clicks on blocked windows were expected to be dropped";

    QPointer<HelpViewerDialog> viewer = OpenHelpViewer();
    ASSERT_FALSE(viewer.isNull());
    auto* close = viewer->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
    ASSERT_NE(close, nullptr);
    ClickThroughWindow(close);
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
}

// ---------------------------------------------------------------- About

TEST(AboutBox, ShowsTitleVersionDescriptionAndCredits)
{
    frmAbout about(QStringLiteral("3.1.4"));
    about.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Vemo"));
    EXPECT_TRUE(about.lblVersion->text().contains(QStringLiteral("3.1.4")));
    EXPECT_TRUE(about.lblDescription->text().contains(QStringLiteral("Cards of Light")));
    EXPECT_TRUE(about.lblCredits->text().contains(QStringLiteral("Card pictures and sounds made for Vemo")));
    EXPECT_TRUE(about.lblCredits->text().contains(QStringLiteral("Comic Neue font, SIL Open Font License 1.1")));

    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// ---------------------------------------------------------------- single instance

TEST(SingleInstanceGuard, SecondGuardInOneProcessIsNotFirstUntilTheFirstGoes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto first = std::make_unique<SingleInstance>(QStringLiteral("Vemo-test"), dir.path());
    ASSERT_TRUE(first->IsFirst());
    EXPECT_TRUE(first->IsFirst()) << "asking again keeps the answer";
    {
        SingleInstance second(QStringLiteral("Vemo-test"), dir.path());
        EXPECT_FALSE(second.IsFirst());
    }
    first.reset();
    SingleInstance third(QStringLiteral("Vemo-test"), dir.path());
    EXPECT_TRUE(third.IsFirst());
}

TEST(SingleInstanceGuard, NamesWithOddCharactersStayInTheLockDirectory)
{
    QTemporaryDir dir;
    SingleInstance guard(QStringLiteral("Vemo-../x y"), dir.path());
    EXPECT_EQ(QFileInfo(guard.LockFilePath()).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(guard.IsFirst());
}

// One probe process: started, and read line by line.
class Probe {
public:
    Probe(const QString& directory, const QString& name)
    {
        process_.setProgram(QStringLiteral(VEMO_SINGLE_INSTANCE_PROBE));
        process_.setArguments({directory, name});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
    }
    ~Probe()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    // The next line of output, or "" when the probe ended or fell silent.
    QString NextLine()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(20000)) return process_.canReadLine() ? NextLine() : QString();
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

    bool Finish() { return process_.waitForFinished(20000) && process_.exitStatus() == QProcess::NormalExit; }
    void Kill()
    {
        process_.kill();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
};

TEST(SingleInstanceGuard, SecondStartAsksTheRunningCopyToRaiseItsWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Probe running(dir.path(), QStringLiteral("Vemo-probe"));
    ASSERT_EQ(running.NextLine(), QStringLiteral("first"));

    Probe later(dir.path(), QStringLiteral("Vemo-probe"));
    EXPECT_EQ(later.NextLine(), QStringLiteral("second"));
    EXPECT_EQ(later.NextLine(), QStringLiteral("asked"));
    EXPECT_TRUE(later.Finish());

    EXPECT_EQ(running.NextLine(), QStringLiteral("raise"));
    EXPECT_TRUE(running.Finish());
}

TEST(SingleInstanceGuard, DifferentInstanceNamesDoNotMeet)
{
    QTemporaryDir dir;
    Probe one(dir.path(), QStringLiteral("Vemo-ann"));
    Probe other(dir.path(), QStringLiteral("Vemo-ben"));
    EXPECT_EQ(one.NextLine(), QStringLiteral("first"));
    EXPECT_EQ(other.NextLine(), QStringLiteral("first"));
}

TEST(SingleInstanceGuard, LockLeftByAKilledCopyDoesNotBlockANewStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lockPath = SingleInstance(QStringLiteral("Vemo-probe"), dir.path()).LockFilePath();
    {
        Probe killed(dir.path(), QStringLiteral("Vemo-probe"));
        ASSERT_EQ(killed.NextLine(), QStringLiteral("first"));
        killed.Kill();
    }
    ASSERT_TRUE(QFileInfo::exists(lockPath)) << "the killed copy should have left its lock behind";

    Probe restarted(dir.path(), QStringLiteral("Vemo-probe"));
    ASSERT_EQ(restarted.NextLine(), QStringLiteral("first"));

    // The killed copy's socket is gone too: the new copy can be raised.
    Probe later(dir.path(), QStringLiteral("Vemo-probe"));
    EXPECT_EQ(later.NextLine(), QStringLiteral("second"));
    EXPECT_EQ(later.NextLine(), QStringLiteral("asked"));
    EXPECT_EQ(restarted.NextLine(), QStringLiteral("raise"));
}

} // namespace
} // namespace vemo

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "ShellServicesTest.moc"
