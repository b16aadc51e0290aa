#pragma once
// The help: an HTML document compiled into the program, shown in the
// program's own viewer at the topic of the window that asked for it. The
// viewer offers the desktop's browser too, but never relies on it: a desktop
// opener can report success on a machine where nothing opens.

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;
class QWidget;

namespace vemo {

// Help topics without a number of their own in the windows: the setup dialog's
// Help button, and the document's beginning (the Help menu's contents).
inline constexpr int kHelpTopicSetup = 10;
inline constexpr int kHelpTopicContents = 0;

// The anchor of a help topic inside the document ("topic-20"); empty for a
// number the document has no section for, which opens it at the top.
QString HelpAnchor(int helpContextID);

// The help document written out as a file (once per run, refreshed when the
// compiled-in copy differs), so an outside browser can open it. Empty when it
// could not be written anywhere.
QString HelpFilePath();

// The file URL of the help document with the topic's anchor as its fragment.
QUrl HelpUrl(int helpContextID);

// Shows the help at the topic in the in-program viewer. The viewer belongs to
// no window, so the pause and the other window-modal dialogs that may be open
// when help is asked for do not block it.
void ShowHelp(QWidget* parent, int helpContextID);

// The maker's web site: the address the build was given (VEMO_WEB_SITE), or,
// by default, the beginning of the help document.
QUrl WebSiteUrl();

// The in-program viewer: a non-modal window with the document, reused for
// every topic while it is open. "Open in Web Browser" hands the topic shown
// to the desktop's browser.
class HelpViewerDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewerDialog(QWidget* parent = nullptr);

    void ShowTopic(int helpContextID);
    QTextBrowser* Browser() const { return txtHelp_; }
    // The written-out document at the section now shown.
    QUrl BrowserUrl() const;

private:
    void OpenInWebBrowser();

    QTextBrowser* txtHelp_ = nullptr;
};

// The open in-program viewer, or null.
HelpViewerDialog* OpenHelpViewer();

} // namespace vemo
