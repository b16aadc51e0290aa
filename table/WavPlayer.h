#pragma once
// Plays the game's sixteen clips (1 to 10 the voices, 11 a card laid down,
// 12 a window opening or closing, 13 leaving the game, 14 to 16 the Experts'
// voices). A new clip cuts off the one playing. Nothing ever waits for a
// clip, and without a sound device the game is silent.
//
// The clip is read from the program's resources into one buffer and fed
// straight to an audio sink. Qt's QSoundEffect is not used: its process-wide
// sample cache loads on a thread of its own and deadlocks at exit when a clip
// is still loading. Here nothing outlives the player: deleting it stops the
// sink, and no thread or cache is left behind.

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

class QAudioSink;
class QBuffer;

namespace vemo {

// The sample format and the samples of a PCM RIFF/WAVE image; an invalid
// format when the image is not one.
struct WaveClip {
    QAudioFormat Format;
    QByteArray Samples;
};
WaveClip ReadWaveClip(const QByteArray& image);

class WavPlayer : public QObject {
    Q_OBJECT
public:
    explicit WavPlayer(QObject* parent = nullptr);
    ~WavPlayer() override;
    // Callers test the Sound option first.
    void PlayWav(int clip);
    int LastClip() const { return lastClip_; }

private:
    void Stop();

    QByteArray samples_; // the clip playing; outlives the sink that reads it
    QBuffer* source_ = nullptr;
    QAudioSink* sink_ = nullptr;
    int lastClip_ = 0;
};

} // namespace vemo
