#pragma once
// How a player's hand is kept in step with the table window. The table
// implements it; with none attached (tests, the simulator) hands change silently.

#include "CardCode.h"

namespace vemo {

class HandDisplay {
public:
    virtual ~HandDisplay() = default;
    // A card has just been appended to seat's hand; fromSeat is 0 for the deck.
    virtual void PlaceCardOnTable(int seat, CardCode card, int fromSeat) = 0;
    // A computer seat gave up a card: one face-down image goes.
    virtual void RemoveCardFromTable(int seat) = 0;
    // The human gave up card: the first face showing it goes and the faces after
    // it move up one place. Called before the card leaves the hand.
    virtual void RemoveHumanCard(CardCode card, int faceCount) = 0;
};

} // namespace vemo
