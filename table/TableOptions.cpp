#include "TableOptions.h"

namespace vemo {

namespace {
const QString kColor = QStringLiteral("Settings/MainWindowColor");
const QString kSound = QStringLiteral("Settings/SoundOption");
const QString kAnimation = QStringLiteral("Settings/AnimationOption");
const QString kGameLog = QStringLiteral("Settings/ShowGameLog");
const QString kPlayable = QStringLiteral("Settings/ShowPlayableCards");
const QString kHighContrast = QStringLiteral("Settings/HighContrast");
const QString kScale = QStringLiteral("Settings/ScaleTableWithWindow");

QString TrueFalse(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }
} // namespace

TableOptions::TableOptions() : settings_(QStringLiteral("Vemo"), QStringLiteral("Vemo")) {}

int TableOptions::MainWindowColor() const
{
    bool ok = false;
    const int color = settings_.value(kColor, QStringLiteral("1")).toString().toInt(&ok);
    return ok ? color : 1;
}

void TableOptions::SetMainWindowColor(int color) { settings_.setValue(kColor, QString::number(color)); }

bool TableOptions::SoundOption() const
{
    if (!settings_.contains(kSound)) return true;
    return settings_.value(kSound).toString() == QStringLiteral("True");
}

void TableOptions::SetSoundOption(bool on) { settings_.setValue(kSound, TrueFalse(on)); }

int TableOptions::AnimationOption() const
{
    bool ok = false;
    const int option = settings_.value(kAnimation, QStringLiteral("0")).toString().toInt(&ok);
    return ok ? option : 0;
}

void TableOptions::SetAnimationOption(int option) { settings_.setValue(kAnimation, QString::number(option)); }

bool TableOptions::ShowGameLog() const { return settings_.value(kGameLog).toString() == QStringLiteral("True"); }

void TableOptions::SetShowGameLog(bool on) { settings_.setValue(kGameLog, TrueFalse(on)); }
bool TableOptions::ShowPlayableCards() const { return settings_.value(kPlayable).toString() == QStringLiteral("True"); }

void TableOptions::SetShowPlayableCards(bool on) { settings_.setValue(kPlayable, TrueFalse(on)); }

bool TableOptions::HighContrast() const { return settings_.value(kHighContrast).toString() == QStringLiteral("True"); }

void TableOptions::SetHighContrast(bool on) { settings_.setValue(kHighContrast, TrueFalse(on)); }

bool TableOptions::ScaleTableWithWindow() const { return settings_.value(kScale).toString() != QStringLiteral("False"); }

void TableOptions::SetScaleTableWithWindow(bool on) { settings_.setValue(kScale, TrueFalse(on)); }

} // namespace vemo
