#include "app/ResText.h"

#include <cstddef>
#include <string_view>

namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry table[] = {
    {StrMonochromeDisplay, "This game cannot be played on a monochrome display.'"},
    {StrSixteenColourDisplay,
     "This game is designed for a minimum 256-color display. You are running a 16-color "
     "display. This will adversely affect the appearance of the graphics used in the game. "
     "Continue anyway?"},
    {StrMissingFile, "Sorry! We cannot find the needed file \"%s\"."},
};

// Texts are read into a 256-character buffer, terminator included.
constexpr std::size_t MaxTextLength = 255;

} // namespace

std::string LoadResText(int id) {
    for (const Entry& entry : table) {
        if (entry.id == id) {
            return std::string(entry.text.substr(0, MaxTextLength));
        }
    }
    return {};
}
