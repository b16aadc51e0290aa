#pragma once
// Whether a card may be laid on the pile now: same colour as the one in
// force, same value as the card really played last, or any Card of Light.
// Answering an evil card (Grace, Prayer or drawing) is the turn's business.

#include "CardCode.h"
#include "TableState.h"

#include <string_view>

namespace vemo {

// Shows the "Invalid Card" box; the windows implement it.
class InvalidCardNotice {
public:
    virtual ~InvalidCardNotice() = default;
    virtual void ShowInvalidCard(std::string_view caption, std::string_view text) = 0;
};

inline constexpr std::string_view kInvalidCardCaption = "Invalid Card";
inline constexpr std::string_view kInvalidCardText =
    "Sorry!  This card is not eligible to be played at this time.\r\n\r\nPlease choose another.";

// source is "DECK" for a card just drawn, empty otherwise; it never changes the answer.
bool ValidCard(CardCode card, std::string_view source, const TableState& state,
               InvalidCardNotice* notice = nullptr);

} // namespace vemo
