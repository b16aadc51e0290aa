#include "frmDBRepairStatus.h"

#include "MessageBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include <memory>

namespace vemo {

frmDBRepairStatus::frmDBRepairStatus(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vemo Database Maintenance"));
    setObjectName(QStringLiteral("frmDBRepairStatus"));
    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Please wait while the game database is maintained..."), this);
    heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    lbDBOperation_ = new QLabel(this);
    lbDBOperation_->setObjectName(QStringLiteral("lbDBOperation"));
    lbDBOperation_->setWordWrap(true);
    lbDBOperation_->setMinimumWidth(360);
    column->addWidget(heading);
    column->addWidget(lbDBOperation_);
}

void frmDBRepairStatus::ShowRepairStatus(bool visible)
{
    setVisible(visible);
    if (visible) repaint();
}

void frmDBRepairStatus::SetOperation(std::string_view text)
{
    lbDBOperation_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    lbDBOperation_->repaint();
}

QString frmDBRepairStatus::Operation() const { return lbDBOperation_->text(); }

// Start-up runs before the table and the game exist: these questions are
// answered before anything else happens, so they are asked with exec().
std::string frmDBRepairStatus::ShowMessageBox(const MessageBoxSpec& spec)
{
    std::unique_ptr<QMessageBox> box(BuildMessageBox(spec, QApplication::activeWindow()));
    box->exec();
    return MessageBoxAnswer(box->standardButton(box->clickedButton()));
}

void frmDBRepairStatus::Beep() { QApplication::beep(); }

} // namespace vemo
