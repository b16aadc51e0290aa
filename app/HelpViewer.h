#pragma once
// The help: an HTML document compiled into the program. It is opened in the
// desktop's browser at the topic of the window that asked for it; when no
// browser takes it, an in-program viewer shows it instead.

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

// Opens the help at the topic: in the desktop's browser, or, when that fails
// or the in-program viewer is forced, in the in-program viewer. The viewer
// belongs to no window, so the pause and the other window-modal dialogs that
// may be open when help is asked for do not block it.
void ShowHelp(QWidget* parent, int helpContextID);

// Skips the desktop's browser (tests, the end-to-end run). The environment
// variable VEMO_HELP_IN_PROGRAM, when set and not "0", does the same.
void SetHelpInProgramOnly(bool inProgramOnly);

// The in-program viewer: a non-modal window with the document, reused for
// every topic while it is open.
class HelpViewerDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewerDialog(QWidget* parent = nullptr);

    void ShowTopic(int helpContextID);
    QTextBrowser* Browser() const { return txtHelp_; }

private:
    QTextBrowser* txtHelp_ = nullptr;
};

// The open in-program viewer, or null.
HelpViewerDialog* OpenHelpViewer();

} // namespace vemo
