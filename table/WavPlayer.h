#pragma once
// Plays the game's sixteen clips (1 to 10 the voices, 11 a card laid down,
// 12 a window opening or closing, 13 leaving the game, 14 to 16 the Experts'
// voices). A new clip cuts off
// the one playing. Nothing ever waits for a clip: without a sound device the
// effects "play" silently and never report that they have finished.

#include <QObject>

#include <array>

class QSoundEffect;

namespace vemo {

class WavPlayer : public QObject {
    Q_OBJECT
public:
    explicit WavPlayer(QObject* parent = nullptr);
    // Callers test the Sound option first.
    void PlayWav(int clip);
    int LastClip() const { return lastClip_; }

private:
    std::array<QSoundEffect*, 17> effects_{}; // 1..16; loaded when first played
    int lastClip_ = 0;
};

} // namespace vemo
