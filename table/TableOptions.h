#pragma once
// The preferences kept between runs: organisation and application "Vemo",
// group "Settings", keys MainWindowColor ("1".."6"), SoundOption
// ("True"/"False") and AnimationOption ("0".."2"). A value that cannot be read
// falls back as described: colour 1, sound off, animation 0. The player's
// aids ShowGameLog, ShowPlayableCards and HighContrast ("True"/"False") are
// off unless set. ScaleTableWithWindow ("True"/"False") is on unless set.

#include <QSettings>

namespace vemo {

class TableOptions {
public:
    TableOptions();
    int MainWindowColor() const;
    void SetMainWindowColor(int color);
    bool SoundOption() const;
    void SetSoundOption(bool on);
    int AnimationOption() const;
    void SetAnimationOption(int option);
    bool ShowGameLog() const;
    void SetShowGameLog(bool on);
    bool ShowPlayableCards() const;
    void SetShowPlayableCards(bool on);
    bool HighContrast() const;
    void SetHighContrast(bool on);
    bool ScaleTableWithWindow() const;
    void SetScaleTableWithWindow(bool on);

private:
    mutable QSettings settings_;
};

} // namespace vemo
