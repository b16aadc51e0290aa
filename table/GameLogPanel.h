#pragma once
// View ▸ Game Log: a panel beside the table listing what happened in plain
// words, newest last. A computer player's reason follows its line in a
// softer colour. The window fills it from the engine's events; it keeps the
// newest few thousand lines.

#include <QDockWidget>
#include <QString>
#include <QStringList>

class QTextEdit;

namespace vemo {

class GameLogPanel : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kMaximumLines = 3000;
    static constexpr int kPreferredWidth = 280;

    explicit GameLogPanel(QWidget* parent = nullptr);

    // One event; reason may be empty.
    void AppendEvent(const QString& text, const QString& reason);
    void Clear();

    // The lines as shown, oldest first: "text — reason" where there is a reason.
    QStringList Lines() const;
    QTextEdit* View() const { return view_; }

private:
    QTextEdit* view_;
};

} // namespace vemo
