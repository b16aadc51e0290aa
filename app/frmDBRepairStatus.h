#pragma once
// The database maintenance window shown while the start-up repairs or
// compacts the database, and the message boxes of that work.

#include "MaintenanceUi.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;

namespace vemo {

class frmDBRepairStatus final : public QDialog, public MaintenanceUi {
    Q_OBJECT
public:
    explicit frmDBRepairStatus(QWidget* parent = nullptr);

    void ShowRepairStatus(bool visible) override;
    void SetOperation(std::string_view text) override;
    std::string ShowMessageBox(const MessageBoxSpec& box) override;
    void Beep() override;
    void Tick() override;
    void ShowRepairResult(std::string_view text) override;

    QString Operation() const;

private:
    // Puts the window's current look on the screen before the next step of
    // work, which runs without the event loop.
    void PaintNow();

    QLabel* lblStatus_ = nullptr;
    QLabel* lbDBOperation_ = nullptr;
    QElapsedTimer sinceTick_;
    bool keepOpen_ = false; // a repair's result stays up until the start-up is over
};

} // namespace vemo
