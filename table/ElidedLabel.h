#pragma once
// A one-line label that never asks for more room than it is given: text too
// long for it (a player's name of any length) is shown cut with an ellipsis,
// while text() and the accessible name keep it whole. Plain text only.

#include <QLabel>

namespace vemo {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text = QString(), QWidget* parent = nullptr) : QLabel(text, parent) {}
    // Where the text is cut: at the end unless told (the middle keeps a score that follows a name).
    void SetElideMode(Qt::TextElideMode mode) { mode_ = mode; update(); }
    QSize minimumSizeHint() const override;
    // The text as painted at the present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;

    Qt::TextElideMode mode_ = Qt::ElideRight;
};

} // namespace vemo
