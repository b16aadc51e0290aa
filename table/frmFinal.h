#pragma once
// frmFinal: the results window at the end of a game (or when an unfinished
// game was just saved). Its texts come from ComputeFinalResults; the window
// only shows them and reports Play Again or Exit.
//
// The window deletes itself when it closes. Open it with open(); closing it
// by its close box or Escape counts as Exit.

#include "FinalResults.h"

#include <QDialog>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace vemo {
class ScoreChart;
}

namespace vemo {

class frmFinal : public QDialog {
    Q_OBJECT
public:
    frmFinal(QWidget* owner, const FinalResults& results, std::function<void(bool playAgain)> done);

    QWidget* titleStrip = nullptr; // "Vemo Game Results"
    QGroupBox* frResults = nullptr;
    QLabel* lblWinner = nullptr;
    std::array<QLabel*, 4> lblResults{};     // lblResults(0..3), lowest score first
    std::array<QPushButton*, 2> cmdEnd{};    // 0 "Exit", 1 "Play Again"
    ScoreChart* chart = nullptr;             // the totals after each hand; absent before any hand ended

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish(bool playAgain);

    std::function<void(bool)> done_;
    bool finished_ = false;
};

} // namespace vemo
