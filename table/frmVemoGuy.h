#pragma once
// frmVemoGuy: announces the hand's winner with a cheering figure and lets the
// user go on to the next hand or leave the game. The engine takes the
// snapshot and sets the tag; the window only reports "OK" or "EXIT".
//
// The window deletes itself when it closes. Open it with open(); closing it
// by its close box or Escape counts as OK.

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace vemo {

class CheeringFigure;

class frmVemoGuy : public QDialog {
    Q_OBJECT
public:
    frmVemoGuy(QWidget* owner, const QString& text, std::function<void(const QString& choice)> done);

    CheeringFigure* aniGIF = nullptr;
    QLabel* lblText = nullptr;
    QPushButton* cmdTop = nullptr;    // "&Ok"
    QPushButton* cmdBottom = nullptr; // "E&xit Game"

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish(const QString& choice);

    std::function<void(const QString&)> done_;
    bool finished_ = false;
};

} // namespace vemo
