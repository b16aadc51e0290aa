#pragma once
// A message box that a question without Cancel cannot lose: with Yes and No
// (and no Cancel), Escape and the window's close box do nothing, so only a
// button answers. Qt would otherwise take Escape for No, and No may delete
// the player's saved game. Boxes with a Cancel button, or with one button
// only, close with Escape as usual.

#include <QMessageBox>

namespace vemo {

class QuestionBox : public QMessageBox {
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool AwaitsAnswer() const;
};

} // namespace vemo
