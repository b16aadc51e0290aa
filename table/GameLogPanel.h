#pragma once
// View ▸ Game Log: a panel beside the table listing what happened in plain
// words, newest last. A computer player's reason follows its line in a
// softer colour. The window fills it from the engine's events; it keeps the
// newest few thousand lines.

#include <QDockWidget>
#include <QString>
#include <QStringList>

#include <utility>

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
    // The keyboard comes to the log, on the newest line; the arrows read it line by line.
    void FocusNewest();
    QTextEdit* View() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Write(const QString& text, const QString& reason);

    QTextEdit* view_;
    // Lines that came while the panel was hidden: written when it shows, so
    // a hidden log sends screen readers no stream of text changes.
    QList<std::pair<QString, QString>> unwritten_;
};

} // namespace vemo
