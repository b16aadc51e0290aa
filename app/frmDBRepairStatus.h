#pragma once
// The database maintenance window shown while the start-up trims, compacts
// or repairs the database, and the message boxes of that work.

#include "MaintenanceUi.h"

#include <QDialog>

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

    QString Operation() const;

private:
    QLabel* lbDBOperation_ = nullptr;
};

} // namespace vemo
