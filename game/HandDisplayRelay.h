#pragma once
// Stands between the players' hands and the table view: keeps the engine's
// record of the human's face-up row in step with the hand, then lets the
// view show the change.

#include "GameState.h"
#include "HandDisplay.h"

#include <algorithm>
#include <stdexcept>

namespace vemo {

class HandDisplayRelay final : public HandDisplay {
public:
    HandDisplayRelay(GameState& state, HandDisplay& view) : state_(state), view_(view) {}

    void PlaceCardOnTable(int seat, CardCode card, int fromSeat) override
    {
        if (seat == 4) state_.HumanFaces.push_back(card);
        view_.PlaceCardOnTable(seat, card, fromSeat);
    }
    void RemoveCardFromTable(int seat) override { view_.RemoveCardFromTable(seat); }
    void RemoveHumanCard(CardCode card, int faceCount) override
    {
        auto& faces = state_.HumanFaces;
        const auto face = std::find(faces.begin(), faces.end(), card);
        if (face == faces.end()) throw std::invalid_argument("No face shows " + card.ToString());
        view_.RemoveHumanCard(card, faceCount);
        faces.erase(face);
    }

private:
    GameState& state_;
    HandDisplay& view_;
};

} // namespace vemo
