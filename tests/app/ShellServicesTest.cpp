// The help, the About box and the single-instance guard, off screen. The guard
// is tested across real processes, since that is the only place it matters.
#include "About.h"
#include "HelpViewer.h"
#include "SingleInstance.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace vemo {
namespace {

QString HelpSource()
{
    QFile file(QStringLiteral(":/help/vemo-help.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Each topic of the program opens the written-out copy of the compiled-in
// document at its own section; an unknown topic opens its beginning.
TEST(Help, EveryTopicHasItsSectionInTheWrittenOutDocument)
{
    const QString html = HelpSource();
    const std::pair<int, QString> topics[] = {{20, "topic-20"}, {32, "topic-32"}, {33, "topic-33"}, {42, "topic-42"},
                                              {kHelpTopicSetup, "topic-setup"}, {kHelpTopicContents, ""}, {12345, ""}};
    for (const auto& [id, anchor] : topics) {
        const QUrl url = HelpUrl(id);
        ASSERT_TRUE(url.isLocalFile()) << id;
        EXPECT_EQ(url.fragment(), anchor) << id;
        QFile file(url.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << id;
        EXPECT_EQ(QString::fromUtf8(file.readAll()), html) << id;
        // The browser finds it by id, the in-program viewer by <a name>.
        EXPECT_TRUE(anchor.isEmpty() || (html.contains("id=\"" + anchor + "\"") && html.contains("name=\"" + anchor + "\""))) << id;
    }
}

TEST(Help, EveryLinkHasItsSectionAndEveryMenuItemKeyAndTrickyRuleIsNamed)
{
    const QString html = HelpSource();
    QSet<QString> targets;
    for (auto it = QRegularExpression(QStringLiteral("(?:id|name)=\"([^\"]+)\"")).globalMatch(html); it.hasNext();)
        targets.insert(it.next().captured(1));
    int links = 0;
    for (auto it = QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(targets.contains(target)) << "broken link #" << target.toStdString();
    }
    EXPECT_GT(links, 20);
    const char* texts[] = {
        "New Game", "Open Game", "Save Game", "Exit", "Best Scores", "Sound", "Animation - Normal", "Animation - FAST",
        "No Animation", "Sort Hand", "Interrupt Computer", "Draw Card", "Pause", "Help Topics", "Vemo Primer",
        "Tyl on the Web", "About", "Game Log", "Table Summary", "Show playable cards", "Large cards and high contrast",
        "Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+B", "Ctrl+U", "Ctrl+A", "Ctrl+F", "Ctrl+H", "Ctrl+X", "Ctrl+D", "F1",
        "25 points deducted", "still draw 1 card", "92 cards", "Vemo.mdb", "error.log", "--data-dir", "VEMO_DATA_DIR",
        "All saves are as of the beginning of the human player&rsquo;s last turn", "a drop", "a leaf", "a diamond",
        "a heart", "a sun", "asking for it again would waste an ask", "Open in Web Browser"};
    for (const char* text : texts) EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
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

    // The block that carries the anchor lies in the visible part of the document.
    static void ExpectShowing(HelpViewerDialog* viewer, const QString& anchor)
    {
        QTextBrowser* browser = viewer->Browser();
        qreal top = -1;
        for (QTextBlock block = browser->document()->begin(); block.isValid() && top < 0; block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().anchorNames().contains(anchor))
                    top = browser->document()->documentLayout()->blockBoundingRect(block).top();
        ASSERT_GE(top, 0) << anchor.toStdString() << " not in the shown document";
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_GE(top + 2, scrolled) << anchor.toStdString();
        EXPECT_LT(top, scrolled + browser->viewport()->height()) << anchor.toStdString();
    }

    SilentOpener opener;
};

TEST_F(HelpViewerTest, OpensAtTheTopicMovesToTheNextAndOffersTheBrowser)
{
    ShowHelp(nullptr, 42);
    HelpViewerDialog* viewer = OpenHelpViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    EXPECT_FALSE(viewer->isModal());
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("The pause window")));
    EXPECT_GT(viewer->Browser()->verticalScrollBar()->value(), 0);
    ExpectShowing(viewer, QStringLiteral("topic-42"));
    for (const int topic : {32, kHelpTopicSetup}) {
        ShowHelp(nullptr, topic);
        EXPECT_EQ(OpenHelpViewer(), viewer) << "a second topic reuses the open viewer";
        ExpectShowing(viewer, HelpUrl(topic).fragment());
    }
    // The browser is offered, at the topic shown, from the viewer.
    ASSERT_TRUE(opener.opened.isEmpty());
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdBrowser")), Qt::LeftButton);
    ASSERT_EQ(opener.opened, QList<QUrl>{HelpUrl(kHelpTopicSetup)});
    ShowHelp(nullptr, kHelpTopicContents);
    EXPECT_EQ(viewer->Browser()->verticalScrollBar()->value(), 0);
}

// A click delivered as the window system delivers it, so that a window that a
// modal window blocks does not get it.
void ClickThroughWindow(QWidget* button)
{
    QTest::mouseClick(button->window()->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(button->window(), button->rect().center()));
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
    ClickThroughWindow(viewer->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close));
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
}

TEST(AboutBox, ShowsTitleVersionDescriptionAndCredits)
{
    frmAbout about(QStringLiteral("3.1.4"));
    about.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Vemo"));
    EXPECT_TRUE(about.lblVersion->text().contains(QStringLiteral("3.1.4")));
    EXPECT_TRUE(about.lblDescription->text().contains(QStringLiteral("Cards of Light")));
    for (const char* credit : {"Card pictures and sounds made for Vemo", "Comic Neue font, SIL Open Font License 1.1"})
        EXPECT_TRUE(about.lblCredits->text().contains(QLatin1String(credit))) << credit;
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

// ---------------------------------------------------------------- single instance

// In one process too a second guard of a name is not the first; a name with
// odd characters keeps its lock in the lock directory.
TEST(SingleInstanceGuard, ASecondGuardInOneProcessAndANameWithOddCharacters)
{
    QTemporaryDir dir;
    SingleInstance first(QStringLiteral("Vemo-test"), dir.path());
    EXPECT_TRUE(first.IsFirst() && first.IsFirst()) << "asking again keeps the answer";
    EXPECT_FALSE(SingleInstance(QStringLiteral("Vemo-test"), dir.path()).IsFirst());
    SingleInstance odd(QStringLiteral("Vemo-../x y"), dir.path());
    EXPECT_EQ(QFileInfo(odd.LockFilePath()).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(odd.IsFirst());
}

// A killed copy leaves its lock and socket behind; they block neither a new
// start nor its being raised by a later start; other names never meet. Each
// start is this test program standing in for the game, read line by line.
TEST(SingleInstanceGuard, ASecondStartAsksTheRunningCopyToRaiseEvenAfterAKilledCopy)
{
    QTemporaryDir dir;
    const QString lockPath = SingleInstance(QStringLiteral("Vemo-probe"), dir.path()).LockFilePath();
    QProcess killed, running, other, later;
    const auto start = [&dir](QProcess& copy, const char* name) {
        copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copy.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), dir.path(), QLatin1String(name)});
    };
    const auto line = [](QProcess& copy) {
        return copy.canReadLine() || copy.waitForReadyRead(20000) ? QString::fromUtf8(copy.readLine()).trimmed() : QString();
    };
    start(killed, "Vemo-probe");
    ASSERT_EQ(line(killed), QStringLiteral("first"));
    killed.kill();
    killed.waitForFinished(10000);
    ASSERT_TRUE(QFileInfo::exists(lockPath)) << "the killed copy should have left its lock behind";

    start(running, "Vemo-probe");
    ASSERT_EQ(line(running), QStringLiteral("first"));
    start(other, "Vemo-other");
    EXPECT_EQ(line(other), QStringLiteral("first"));
    start(later, "Vemo-probe");
    EXPECT_EQ(line(later), QStringLiteral("second"));
    EXPECT_EQ(line(later), QStringLiteral("asked"));
    EXPECT_TRUE(later.waitForFinished(20000) && later.exitStatus() == QProcess::NormalExit);
    EXPECT_EQ(line(running), QStringLiteral("raise"));
    EXPECT_TRUE(running.waitForFinished(20000) && running.exitStatus() == QProcess::NormalExit);
    other.kill();
    other.waitForFinished(10000);
}

} // namespace
} // namespace vemo

#include "ShellServicesTest.moc"
