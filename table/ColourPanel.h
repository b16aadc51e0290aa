#pragma once
// The status panel that names the colour in force. Beside the name it draws
// the colour's shape, as the cards show it, so the colour can be told apart
// without colour vision; the text itself stays exactly what the game sets.

#include <QLabel>

namespace vemo {

class ColourPanel : public QLabel {
    Q_OBJECT
public:
    explicit ColourPanel(const QString& text, QWidget* parent = nullptr);

    // The colour letter whose shape shows ('B', 'G', 'P', 'R'), or 0 when the
    // text names no colour ("Color", "Unspecified").
    char ShapeLetter() const;
    // Where the shape is drawn.
    QRect ShapeRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vemo
