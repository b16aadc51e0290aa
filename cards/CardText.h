#pragma once
// Card values and colours as words, for messages and the status bar.

#include "CardCode.h"

#include <string>
#include <string_view>

namespace vemo {

// "Blue 5", "Red Devil", "Card of Light Grace".
std::string FormatCardDescription(CardCode code);

// "Blue", "Green", "Purple", "Red"; "Unspecified" for anything else. This is the
// text that ShowCurrentColor writes into the colour panel.
std::string_view ColorName(char colourLetter);

} // namespace vemo
