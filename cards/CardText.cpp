#include "CardText.h"

#include "ReportError.h"

namespace vemo {

std::string FormatCardDescription(CardCode code)
{
    return Trapped("FormatCardDescription", std::string(), [&] {
        std::string colour;
        switch (code.Colour()) {
        case 'B': colour = "Blue"; break;
        case 'G': colour = "Green"; break;
        case 'P': colour = "Purple"; break;
        case 'R': colour = "Red"; break;
        default: colour = "Card of Light"; break;
        }
        std::string value;
        switch (code.Value()) {
        case 'R': value = " Trial"; break;
        case 'T': value = " Temptation"; break;
        case 'D': value = " Devil"; break;
        case 'S': value = " Sin"; break;
        case 'P': value = " Prayer"; break;
        case 'G': value = " Grace"; break;
        case 'V': value = " Vemo"; break;
        case 'B': value = " Blessing"; break;
        case 'K': value = " Ask"; break;
        default: value = std::string(" ") + code.Value(); break;
        }
        return colour + value;
    });
}

std::string_view ColorName(char colourLetter)
{
    switch (colourLetter) {
    case 'B': return "Blue";
    case 'G': return "Green";
    case 'P': return "Purple";
    case 'R': return "Red";
    default: return "Unspecified";
    }
}

} // namespace vemo
