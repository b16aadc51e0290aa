#pragma once
// One seat at the table: who sits there, the cards held in order of arrival,
// and the computer strategy.

#include "CardCode.h"
#include "HandDisplay.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Which step of the strategy chose the last answer; the game log explains it.
enum class StrategyStep : std::uint8_t {
    None,
    NothingMatches,        // no matching card and no Card of Light
    EvilNoCanceller,       // an evil card is pending and no Grace or Prayer is held
    EvilGrace,             // answers the pending evil card with Grace
    EvilPrayer,            // answers the pending evil card with Prayer
    Style3Devil,           // style 3 keeps a Devil for first
    LightCard,             // nothing matches, or style 3 prefers a Card of Light
    Style2Highest,         // style 2: the highest number
    Style3Scan,            // style 3: evil cards first
    Style4Random,          // style 4: any matching card
    Style1Evil,            // style 1: an evil card for a next player with few cards
    Style1Prayer,          // style 1: a Prayer turns play towards a fuller hand
    Style1Highest,         // style 1: everyone holds 3 or more, so shed the highest number
    Style1Scan,            // style 1: someone is close to going out, evil cards first
    ColourMostHeld,        // the colour after a Card of Light: the one held most
    ColourAtRandom,        // the colour after a Card of Light: no coloured card held
    Expert,                // the Expert's weighing (PlayingStyle 5); its motive says why
    Fault,                 // a fault was trapped; the player draws (or takes Blue); always the last step
};

// The Cards of Light a computer asks for, in order: the value letter, then the
// words used in the messages.
inline constexpr std::string_view kAskingOrder[4] = {"Ga Grace", "Ba Blessing", "Pa Prayer", "Van Vemo"};

class clsPlayer {
public:
    clsPlayer();

    // Identity: plain set and get, no checks on set.
    const std::string& Name() const { return name_; }
    void Name(std::string value) { name_ = std::move(value); }
    std::int16_t PlayingStyle() const { return playingStyle_; }
    void PlayingStyle(std::int16_t value) { playingStyle_ = value; }
    std::int16_t WAV() const { return wav_; }
    void WAV(std::int16_t value) { wav_ = value; }
    bool Human() const { return human_; }
    void Human(bool value) { human_ = value; }
    std::int16_t GameSequence() const { return gameSequence_; }
    void GameSequence(std::int16_t value) { gameSequence_ = value; }

    // The table display kept in step by AddACard and RemoveACard (may be null).
    void AttachDisplay(HandDisplay* display) { display_ = display; }

    // Hand operations.
    bool FindSpecificCOL(char valueLetter) const;
    std::string GetAllCards() const;
    void AddACard(CardCode card, int fromSeat = 0);
    std::int16_t NumberOfCards() const { return static_cast<std::int16_t>(hand_.size()); }
    void RemoveACard(CardCode card);
    void RemoveAllCards();
    std::int16_t ScoreHand() const;
    const std::vector<CardCode>& Hand() const { return hand_; }

    // Strategy: a card from the hand, or "**" when the player must draw.
    CardCode GetCardToPlay(char color, char value, int cardsNext1, int cardsNext2, int cardsNext3,
                           bool specialAction);
    // A colour letter after a Card of Light.
    char PickColor();
    // The step behind the last card or colour chosen.
    StrategyStep LastStrategyStep() const { return lastStep_; }

private:
    CardCode ChooseCard(char color, char value, int cardsNext1, int cardsNext2, int cardsNext3,
                        bool specialAction);

    std::string name_;
    std::int16_t playingStyle_ = 0;
    std::int16_t wav_ = 0;
    std::vector<CardCode> hand_;
    bool human_ = false;
    std::int16_t gameSequence_ = 0;
    HandDisplay* display_ = nullptr;
    StrategyStep lastStep_ = StrategyStep::None;
};

inline constexpr CardCode kNoCardToPlay{"**"};

// Penalty points of one card at the end of a hand.
std::int16_t CardPoints(CardCode card);

} // namespace vemo
