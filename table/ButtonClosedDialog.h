#pragma once
// A dialog that only its own buttons close: the game needs its answer, so
// Escape and the window's close box do nothing. It opens centred on the screen.
// Its buttons answer the keyboard too: Enter clicks the focused one, and each
// may have a key of its own.

#include <QDialog>

#include <utility>
#include <vector>

class QAbstractButton;

namespace vemo {

class ButtonClosedDialog : public QDialog {
    Q_OBJECT
public:
    explicit ButtonClosedDialog(QWidget* owner) : QDialog(owner) {}

public slots:
    void reject() override {}

protected:
    // From now on the dialog may close (its answer is given).
    void AllowClose() { closeAllowed_ = true; }
    bool CloseAllowed() const { return closeAllowed_; }
    // key (with or without Shift) clicks button, exactly as the mouse does.
    void SetButtonKey(int key, QAbstractButton* button) { buttonKeys_.emplace_back(key, button); }
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool closeAllowed_ = false;
    std::vector<std::pair<int, QAbstractButton*>> buttonKeys_;
};

} // namespace vemo
