#include "WavPlayer.h"

#include "ReportError.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>

namespace vemo {

WaveClip ReadWaveClip(const QByteArray& image)
{
    WaveClip clip;
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE") return clip;
    const auto word = [&image](qsizetype at) { return qFromLittleEndian<quint16>(image.constData() + at); };
    const auto dword = [&image](qsizetype at) { return qFromLittleEndian<quint32>(image.constData() + at); };
    QAudioFormat format;
    bool haveFormat = false;
    // Chunks: a four-letter id, a 32-bit length, the body padded to an even length.
    for (qsizetype at = 12; at + 8 <= image.size();) {
        const QByteArray id = image.mid(at, 4);
        const qsizetype length = dword(at + 4);
        const qsizetype body = at + 8;
        if (length > image.size() - body) return WaveClip{};
        if (id == "fmt " && length >= 16) {
            const int encoding = word(body);
            const int bits = word(body + 14);
            format.setChannelCount(word(body + 2));
            format.setSampleRate(static_cast<int>(dword(body + 4)));
            if (encoding == 1 && bits == 8) format.setSampleFormat(QAudioFormat::UInt8);
            else if (encoding == 1 && bits == 16) format.setSampleFormat(QAudioFormat::Int16);
            else if (encoding == 1 && bits == 32) format.setSampleFormat(QAudioFormat::Int32);
            else if (encoding == 3 && bits == 32) format.setSampleFormat(QAudioFormat::Float);
            haveFormat = format.isValid();
        } else if (id == "data" && haveFormat) {
            clip.Format = format;
            clip.Samples = image.mid(body, length);
            return clip;
        }
        at = body + length + (length & 1);
    }
    return clip;
}

WavPlayer::WavPlayer(QObject* parent) : QObject(parent) {}

WavPlayer::~WavPlayer() { Stop(); }

void WavPlayer::PlayWav(int clip)
{
    if (clip < 1 || clip > 16) {
        ReportError("PlayWav", 5, "There is no sound clip " + std::to_string(clip));
        return;
    }
    Stop();
    lastClip_ = clip;
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(clip));
    if (!file.open(QIODevice::ReadOnly)) return;
    WaveClip wave = ReadWaveClip(file.readAll());
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    // No sound device, or one that cannot take the clip: the game goes on silently.
    if (device.isNull() || !wave.Format.isValid() || !device.isFormatSupported(wave.Format)) return;
    samples_ = std::move(wave.Samples);
    source_ = new QBuffer(&samples_, this);
    source_->open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device, wave.Format, this);
    sink_->start(source_);
}

void WavPlayer::Stop()
{
    if (sink_) {
        sink_->stop();
        delete sink_;
        sink_ = nullptr;
    }
    delete source_;
    source_ = nullptr;
}

} // namespace vemo
