#include "TableAnnouncer.h"

#include <QAccessible>
#include <QLabel>

namespace vemo {

TableAnnouncer::TableAnnouncer(QWidget* host) : QObject(host), speaker_(new QLabel(host))
{
    speaker_->setObjectName(QStringLiteral("tableAnnouncer"));
    // Shown, since a hidden widget is left out of the accessibility tree, but
    // only one pixel in the corner, without text and behind everything.
    speaker_->setGeometry(0, 0, 1, 1);
    speaker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    speaker_->setFocusPolicy(Qt::NoFocus);
    speaker_->lower();
}

void TableAnnouncer::Announce(const QString& sentence)
{
    if (sentence.isEmpty()) return;
    // The same sentence twice in a row would not change the name, and would
    // go unheard; a trailing space makes it new without changing the words.
    const bool repeat = speaker_->accessibleName().trimmed() == sentence;
    speaker_->setAccessibleName(repeat && !speaker_->accessibleName().endsWith(QLatin1Char(' '))
                                    ? sentence + QLatin1Char(' ')
                                    : sentence); // sends NameChanged
    QAccessibleEvent alert(speaker_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    emit announced(sentence);
}

} // namespace vemo
