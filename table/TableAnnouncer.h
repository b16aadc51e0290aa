#pragma once
// Speaks what happens at the table to assistive technology, without taking
// the keyboard focus off the hand. Qt 6.4 has no announcement event, and
// screen readers ignore name changes on objects that have no focus; what
// they do speak is a notification appearing. So each announcement becomes a
// new notification object, shown once in the table window's corner: its
// words never change while the screen reader reads them, however far behind
// the screen reader falls.
//
// Sentences given in one pass of the event loop are spoken together, in
// their order, as one notification: a new notification cuts off the one
// being spoken, so separate ones in quick succession would be lost to the ear.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace vemo {

class TableAnnouncer : public QObject {
    Q_OBJECT
public:
    // How long a notification stays, so a busy screen reader still finds it.
    static constexpr int kLifetimeMilliseconds = 60'000;

    // The notifications live on host, which owns the announcer too.
    explicit TableAnnouncer(QWidget* host);
    ~TableAnnouncer() override;

    void Announce(const QString& sentence);

    // The announcer of the open table, if any: the game's other windows
    // speak through it (their notices, questions and choices).
    static TableAnnouncer* Current();
    static void Say(const QString& sentence);

    // The newest notification shown, for tests; null before the first.
    QWidget* Speaker() const { return newest_; }

signals:
    void announced(const QString& sentence);

private:
    void Flush();

    QWidget* host_;
    QStringList pending_;
    QPointer<QWidget> newest_;
};

} // namespace vemo
