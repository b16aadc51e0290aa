#include "GameLogPanel.h"

#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace vemo {

namespace {
const QString kReasonSeparator = QStringLiteral(" \u2014 ");
constexpr int kHangingIndent = 12; // pixels: a wrapped line stands in from its event's first line

// The line already says what was played or chosen; the reason adds why.
QString ReasonText(const QString& reason)
{
    if (reason.isEmpty()) return {};
    const int why = reason.indexOf(QStringLiteral(": "));
    return kReasonSeparator + (why >= 0 ? reason.mid(why + 2) : reason);
}
} // namespace

GameLogPanel::GameLogPanel(QWidget* parent) : QDockWidget(QStringLiteral("Game Log"), parent)
{
    setObjectName(QStringLiteral("GameLogPanel"));
    // Opened and closed from the View menu only, so the menu's check mark and
    // the stored option always agree with what shows.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::RightDockWidgetArea);
    view_ = new QTextEdit(this);
    view_->setObjectName(QStringLiteral("txtGameLog"));
    view_->setReadOnly(true);
    view_->setFocusPolicy(Qt::ClickFocus); // F6 on the table comes here too
    // A caret the arrows move, so a screen reader reads the line it lands on.
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setAccessibleName(QStringLiteral("Game Log"));
    view_->setMinimumWidth(kPreferredWidth * 2 / 3);
    view_->document()->setMaximumBlockCount(kMaximumLines);
    setWidget(view_);
}

void GameLogPanel::AppendEvent(const QString& text, const QString& reason)
{
    if (isHidden()) {
        unwritten_.append({text, reason});
        if (unwritten_.size() > kMaximumLines) unwritten_.removeFirst();
        return;
    }
    Write(text, reason);
}

void GameLogPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    const auto lines = std::exchange(unwritten_, {});
    for (const auto& [text, reason] : lines) Write(text, reason);
}

void GameLogPanel::Write(const QString& text, const QString& reason)
{
    QScrollBar* bar = view_->verticalScrollBar();
    // Follows the newest line unless the player has scrolled back to read.
    const bool following = !view_->isVisible() || bar->value() >= bar->maximum();

    QTextBlockFormat block;
    block.setLeftMargin(kHangingIndent);
    block.setTextIndent(-kHangingIndent);
    block.setBottomMargin(3);
    QTextCharFormat plain;
    plain.setForeground(view_->palette().color(QPalette::Text));
    // The reason between the text and the background: softer, still easy to read.
    const QColor ink = view_->palette().color(QPalette::Text);
    const QColor paper = view_->palette().color(QPalette::Base);
    const auto mix = [](int a, int b) { return (a * 3 + b * 2) / 5; };
    QTextCharFormat soft;
    soft.setForeground(QColor(mix(ink.red(), paper.red()), mix(ink.green(), paper.green()), mix(ink.blue(), paper.blue())));

    QTextCursor cursor(view_->document());
    cursor.movePosition(QTextCursor::End);
    if (view_->document()->isEmpty()) cursor.setBlockFormat(block);
    else cursor.insertBlock(block);
    cursor.insertText(text, plain);
    if (!reason.isEmpty()) cursor.insertText(ReasonText(reason), soft);

    if (following) bar->setValue(bar->maximum());
}

void GameLogPanel::Clear()
{
    view_->clear();
    view_->document()->setMaximumBlockCount(kMaximumLines);
    unwritten_.clear();
}

void GameLogPanel::FocusNewest()
{
    QTextCursor cursor(view_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock);
    view_->setTextCursor(cursor);
    view_->setFocus(Qt::ShortcutFocusReason);
}

QStringList GameLogPanel::Lines() const
{
    QStringList lines = view_->toPlainText().split(QLatin1Char('\n'));
    if (lines.size() == 1 && lines.front().isEmpty()) lines.clear();
    for (const auto& [text, reason] : unwritten_) {
        lines << text + ReasonText(reason);
    }
    while (lines.size() > kMaximumLines) lines.removeFirst();
    return lines;
}

} // namespace vemo
