#include "HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace vemo {

namespace {

const QString kHelpResource = QStringLiteral(":/help/vemo-help.html");
const QString kHelpFileName = QStringLiteral("vemo-help.html");

QPointer<HelpViewerDialog> g_viewer;

QByteArray CompiledInHelp()
{
    QFile file(kHelpResource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Writes the document into the folder unless an identical copy is already
// there, so a newer program never shows an older help.
bool WriteHelpInto(const QString& folder, const QByteArray& contents)
{
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    const QString path = QDir(folder).filePath(kHelpFileName);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) return true;
    existing.close();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(contents);
    return file.commit();
}

QString UserTag()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return user;
}

// Where the viewer must live to take input: with no owner, so the window-modal
// pause (opened right after help) does not block it; inside an
// application-modal dialog when one is open, since that blocks every other
// window.
QWidget* ViewerOwner()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->windowModality() == Qt::ApplicationModal) return modal;
    return nullptr;
}

} // namespace

QString HelpAnchor(int helpContextID)
{
    switch (helpContextID) {
    case 20:
    case 32:
    case 33:
    case 42:
        return QStringLiteral("topic-%1").arg(helpContextID);
    case kHelpTopicSetup:
        return QStringLiteral("topic-setup");
    default:
        return {};
    }
}

QString HelpFilePath()
{
    static std::optional<QString> written;
    if (written) return *written;

    const QByteArray contents = CompiledInHelp();
    QString path;
    if (!contents.isEmpty()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        const QString cacheFolder = cache.isEmpty() ? QString() : QDir(cache).filePath(QStringLiteral("help"));
        // The temporary folder is shared; a folder of the user's own keeps the
        // copy out of other users' reach.
        const QString tempFolder =
            QDir(QDir::tempPath()).filePath(QStringLiteral("vemo-help-%1").arg(UserTag()));
        if (WriteHelpInto(cacheFolder, contents)) {
            path = QDir(cacheFolder).filePath(kHelpFileName);
        } else if (WriteHelpInto(tempFolder, contents)) {
            QFile::setPermissions(tempFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            path = QDir(tempFolder).filePath(kHelpFileName);
        }
    }
    written = path;
    return path;
}

QUrl HelpUrl(int helpContextID)
{
    const QString path = HelpFilePath();
    if (path.isEmpty()) return {};
    QUrl url = QUrl::fromLocalFile(path);
    const QString anchor = HelpAnchor(helpContextID);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

QUrl WebSiteUrl()
{
    const QString address = QStringLiteral(VEMO_WEB_SITE);
    return address.isEmpty() ? HelpUrl(kHelpTopicContents) : QUrl(address);
}

HelpViewerDialog* OpenHelpViewer()
{
    return g_viewer.data();
}

HelpViewerDialog::HelpViewerDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Vemo Help"));
    setModal(false);
    setSizeGripEnabled(true);

    txtHelp_ = new QTextBrowser(this);
    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    txtHelp_->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    QPushButton* browser = buttons->addButton(QStringLiteral("Open in &Web Browser"), QDialogButtonBox::ActionRole);
    browser->setObjectName(QStringLiteral("cmdBrowser"));
    connect(browser, &QPushButton::clicked, this, [this] { OpenInWebBrowser(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp_);
    layout->addWidget(buttons);
    resize(780, 640);
}

void HelpViewerDialog::ShowTopic(int helpContextID)
{
    QUrl url(QStringLiteral("qrc") + kHelpResource);
    const QString anchor = HelpAnchor(helpContextID);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    const bool sameDocument = txtHelp_->source().matches(url, QUrl::RemoveFragment);
    // The source keeps the topic, for the browser button.
    txtHelp_->setSource(url);
    if (sameDocument) {
        // Same document: it is not reloaded, so move to the topic (or back to the top).
        if (anchor.isEmpty()) txtHelp_->verticalScrollBar()->setValue(0);
        else txtHelp_->scrollToAnchor(anchor);
    }
}

QUrl HelpViewerDialog::BrowserUrl() const
{
    const QString path = HelpFilePath();
    if (path.isEmpty()) return {};
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(txtHelp_->source().fragment());
    return url;
}

void HelpViewerDialog::OpenInWebBrowser()
{
    const QUrl url = BrowserUrl();
    if (!url.isEmpty() && QDesktopServices::openUrl(url)) return;
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                QStringLiteral("No web browser could be started.  The help stays open here."),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void ShowHelp(QWidget* parent, int helpContextID)
{
    QWidget* owner = ViewerOwner();
    const bool fresh = g_viewer.isNull();
    if (fresh) {
        g_viewer = new HelpViewerDialog(owner);
        g_viewer->setAttribute(Qt::WA_DeleteOnClose);
        // Without an owner nothing else deletes it before the application goes.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, g_viewer.data(), [] { delete g_viewer.data(); });
    } else if (g_viewer->parentWidget() != owner) {
        g_viewer->setParent(owner, g_viewer->windowFlags() | Qt::Window);
    }
    HelpViewerDialog* viewer = g_viewer.data();

    if (fresh) {
        // Over the window that asked, kept on its screen.
        const QWidget* anchorWindow = parent ? parent->window() : nullptr;
        QScreen* screen = anchorWindow ? anchorWindow->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        if (area.isValid()) {
            viewer->resize(viewer->size().boundedTo(area.size() * 0.9));
            QRect frame(QPoint(), viewer->size());
            frame.moveCenter(anchorWindow ? anchorWindow->frameGeometry().center() : area.center());
            frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
            frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
            viewer->move(frame.topLeft());
        }
    }
    viewer->ShowTopic(helpContextID);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace vemo
