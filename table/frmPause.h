#pragma once
// frmPause: holds the game still until the user clicks OK. The game only
// advances inside the table's event handling, so a window-modal window is
// enough to stop it.
//
// The window deletes itself when it closes. Open it with open(); any way of
// closing it (OK, Escape, the close box) resumes the game.

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace vemo {

class frmPause : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContextID = 42;

    frmPause(QWidget* owner, std::function<void()> closed);

    QLabel* lblContinue = nullptr; // "Click OK to continue..."
    QLabel* lblHelp = nullptr;     // "Press F1 for help"
    QPushButton* cmdOK = nullptr;

signals:
    // F1: the application opens the help at this window's topic.
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> closed_;
};

} // namespace vemo
