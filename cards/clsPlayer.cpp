#include "clsPlayer.h"

#include "ReportError.h"

#include <algorithm>
#include <stdexcept>

namespace vemo {

clsPlayer::clsPlayer()
{
    hand_.reserve(16);
    if (name_.empty()) name_ = "Unknown";
    if (playingStyle_ < 1 || playingStyle_ > 4) playingStyle_ = 1;
    if (wav_ < 1) wav_ = 1;
    if (human_ && gameSequence_ != 4) gameSequence_ = 4;
}

bool clsPlayer::FindSpecificCOL(char valueLetter) const
{
    return Trapped("FindSpecificCOL", false, [&] {
        return std::any_of(hand_.begin(), hand_.end(), [&](CardCode c) { return c.Value() == valueLetter; });
    });
}

std::string clsPlayer::GetAllCards() const
{
    return Trapped("GetAllCards", std::string(), [&] {
        std::string all;
        all.reserve(hand_.size() * 2);
        for (CardCode c : hand_) all += c.View();
        return all;
    });
}

void clsPlayer::AddACard(CardCode card, int fromSeat)
{
    hand_.push_back(card);
    if (display_) display_->PlaceCardOnTable(gameSequence_, card, fromSeat);
}

void clsPlayer::RemoveACard(CardCode card)
{
    const auto held = std::find(hand_.begin(), hand_.end(), card);
    if (held == hand_.end())
        throw std::invalid_argument("Card " + card.ToString() + " is not in " + name_ + "'s hand");
    if (display_) {
        if (human_) display_->RemoveHumanCard(card, NumberOfCards());
        else display_->RemoveCardFromTable(gameSequence_);
    }
    hand_.erase(held);
}

void clsPlayer::RemoveAllCards()
{
    while (!hand_.empty()) hand_.pop_back();
}

std::int16_t CardPoints(CardCode card)
{
    switch (card.Value()) {
    case 'D': return 50;
    case 'S': return 25;
    case 'T': return 10;
    case 'R': return 10;
    case 'P': case 'K': case 'G': case 'B': return 5;
    case 'V': return 0;
    default: return IsDigitLetter(card.Value()) ? static_cast<std::int16_t>(card.Value() - '0') : 0;
    }
}

std::int16_t clsPlayer::ScoreHand() const
{
    return Trapped("ScoreHand", std::int16_t{0}, [&] {
        int total = 0;
        for (CardCode c : hand_) total += CardPoints(c);
        if (total > INT16_MAX) throw std::overflow_error("Overflow");
        return static_cast<std::int16_t>(total);
    });
}

} // namespace vemo
