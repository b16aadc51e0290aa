#include "TableAnnouncer.h"

#include "AccessibleRoles.h"

#include <QTimer>
#include <QWidget>

namespace vemo {

namespace {
TableAnnouncer* current = nullptr;
} // namespace

TableAnnouncer::TableAnnouncer(QWidget* host) : QObject(host), host_(host)
{
    QuietLabelChanges();
    current = this;
}

TableAnnouncer::~TableAnnouncer()
{
    if (current == this) current = nullptr;
}

TableAnnouncer* TableAnnouncer::Current() { return current; }

void TableAnnouncer::Say(const QString& sentence)
{
    if (current) current->Announce(sentence);
}

void TableAnnouncer::Announce(const QString& sentence)
{
    const QString words = sentence.simplified();
    if (words.isEmpty()) return;
    if (pending_.isEmpty()) QTimer::singleShot(0, this, &TableAnnouncer::Flush);
    pending_ << words;
    emit announced(sentence);
}

void TableAnnouncer::Flush()
{
    if (pending_.isEmpty()) return;
    auto* notice = new QWidget(host_);
    ExposeAs(notice, QAccessible::Notification);
    notice->setObjectName(QStringLiteral("tableAnnouncer"));
    notice->setAccessibleName(pending_.join(QLatin1Char(' ')));
    pending_.clear();
    // Shown, since screen readers speak a notification as it appears, but
    // only one pixel in the corner, painting nothing, behind everything.
    notice->setGeometry(0, 0, 1, 1);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->setFocusPolicy(Qt::NoFocus);
    notice->lower();
    notice->show();
    newest_ = notice;
    QTimer::singleShot(kLifetimeMilliseconds, notice, &QObject::deleteLater);
}

} // namespace vemo
