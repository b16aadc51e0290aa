#pragma once
// A dialog that only its own buttons close: the game needs its answer, so
// Escape and the window's close box do nothing. It opens centred on the screen.

#include <QDialog>

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
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool closeAllowed_ = false;
};

} // namespace vemo
