#include "ValidCard.h"

#include "ReportError.h"

namespace vemo {

bool ValidCard(CardCode card, std::string_view /*source*/, const TableState& state, InvalidCardNotice* notice)
{
    // The answer starts as True; only the Vemo-after-Prayer rule and a refusal set it False.
    return Trapped("ValidCard", true, [&] {
        if (state.VemoAfterPrayer) return card == CardCode("LV");
        if (card.Colour() == state.CurrColor) return true;
        if (card.Value() == state.ActualCurrCard.Value()) return true;
        if (IsLight(card)) return true;
        // On the human's own turn a refusal is silent.
        if (state.CurrTurn != 4 && notice) notice->ShowInvalidCard(kInvalidCardCaption, kInvalidCardText);
        return false;
    });
}

} // namespace vemo
