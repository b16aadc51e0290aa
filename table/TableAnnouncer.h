#pragma once
// Speaks what happens at the table to assistive technology. Qt 6.4 has no
// announcement event, so the announcer keeps a label that no layout holds
// and paints nothing: each sentence becomes the label's accessible name,
// which screen readers hear as a name change and as an alert.

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace vemo {

class TableAnnouncer : public QObject {
    Q_OBJECT
public:
    // The label lives on host, which owns the announcer too.
    explicit TableAnnouncer(QWidget* host);

    void Announce(const QString& sentence);

    // The label assistive technology reads, for tests.
    QLabel* Speaker() const { return speaker_; }

signals:
    void announced(const QString& sentence);

private:
    QLabel* speaker_;
};

} // namespace vemo
