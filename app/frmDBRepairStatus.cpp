#include "frmDBRepairStatus.h"

#include "MessageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWindow>

#include <memory>

namespace vemo {

namespace {

// How long the window may take to appear on screen, and how often long work
// lets it repaint.
constexpr int kExposeWaitMs = 500;
constexpr int kTickMs = 100;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

frmDBRepairStatus::frmDBRepairStatus(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Checking Data Integrity"));
    setObjectName(QStringLiteral("frmDBRepairStatus"));
    auto* column = new QVBoxLayout(this);
    lblStatus_ = new QLabel(QStringLiteral("Please wait while application checks database integrity."), this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setStyleSheet(QStringLiteral("font-weight: bold;"));
    lbDBOperation_ = new QLabel(this);
    lbDBOperation_->setObjectName(QStringLiteral("lbDBOperation"));
    lbDBOperation_->setWordWrap(true);
    lbDBOperation_->setMinimumWidth(480);
    lbDBOperation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(lblStatus_);
    column->addWidget(lbDBOperation_);
    sinceTick_.start();
}

void frmDBRepairStatus::ShowRepairStatus(bool visible)
{
    if (visible) {
        show();
        raise();
        PaintNow();
    } else if (!keepOpen_) {
        hide();
    }
}

void frmDBRepairStatus::SetOperation(std::string_view text)
{
    lbDBOperation_->setText(FromUtf8(text));
    if (isVisible()) PaintNow();
}

void frmDBRepairStatus::ShowRepairResult(std::string_view text)
{
    lblStatus_->setText(QStringLiteral("The database has been repaired."));
    lbDBOperation_->setText(FromUtf8(text));
    keepOpen_ = true;
    if (isVisible()) PaintNow();
}

void frmDBRepairStatus::Tick()
{
    if (!isVisible() || sinceTick_.elapsed() < kTickMs) return;
    sinceTick_.restart();
    // Paint and expose events only: no input reaches anything while the
    // database work runs, and no game exists yet for a timer to drive.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The work runs from the start-up, outside the event loop: the window is
// mapped, laid out and painted here, for a bounded time, before it goes on.
void frmDBRepairStatus::PaintNow()
{
    adjustSize();
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceTick_.restart();
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
