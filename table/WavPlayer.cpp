#include "WavPlayer.h"

#include "ReportError.h"

#include <QSoundEffect>
#include <QUrl>

namespace vemo {

WavPlayer::WavPlayer(QObject* parent) : QObject(parent) {}

void WavPlayer::PlayWav(int clip)
{
    if (clip < 1 || clip > 16) {
        ReportError("PlayWav", 5, "There is no sound clip " + std::to_string(clip));
        return;
    }
    if (lastClip_ > 0 && effects_[static_cast<std::size_t>(lastClip_)])
        effects_[static_cast<std::size_t>(lastClip_)]->stop();
    QSoundEffect*& effect = effects_[static_cast<std::size_t>(clip)];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(clip)));
    }
    effect->play();
    lastClip_ = clip;
}

} // namespace vemo
