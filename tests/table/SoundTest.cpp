// The clips and fonts compiled into the program, and playing without a sound device.
#include "WavPlayer.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vemo;

TEST(Resources, SixteenWaveClipsAndTheCasualFontAreCompiledIn)
{
    for (int clip = 1; clip <= 16; ++clip) {
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(clip));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "clip " << clip;
        const QByteArray image = file.readAll();
        const WaveClip wave = ReadWaveClip(image);
        // Whole frames, most of a small file; cut short or not a wave: no format, so nothing is played.
        EXPECT_TRUE(wave.Format.isValid() && wave.Samples.size() % wave.Format.bytesPerFrame() == 0 &&
                    wave.Samples.size() > image.size() / 2 && image.size() < 64 * 1024)
            << "clip " << clip;
        EXPECT_FALSE(ReadWaveClip(image.left(image.size() / 2)).Format.isValid() || ReadWaveClip(image.mid(4)).Format.isValid())
            << "clip " << clip;
    }
    for (const char* font : {"Regular", "Bold"}) EXPECT_TRUE(QFile::exists(QString(":/fonts/ComicNeue-%1.otf").arg(font))) << font;
}

// With no audio device the effects "play" and never report the end: nothing
// may wait on them, a new clip takes over from the last (two cards in quick
// succession restart the sound), and a clip that does not exist is reported
// and skipped.
TEST(WavPlayer, ANewClipTakesOverNothingWaitsAndAMissingClipIsSkipped)
{
    WavPlayer player;
    for (int clip : {11, 11, 12, 17}) player.PlayWav(clip);
    EXPECT_EQ(player.LastClip(), 12);
}
