// Two readings of the room compared: what a screen reader must be told.

#include "screens/RoomReading.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {
std::string Told(const TReadingChanges& c) {
    std::ostringstream text;
    text << (c.Buttons ? "buttons" : "");
    const auto list = [&](const char* what, const std::vector<size_t>& indices) {
        for (const size_t i : indices) {
            text << " " << what << i;
        }
    };
    list("name", c.RowNames), list("description", c.RowDescriptions);
    list("shown", c.ButtonsShown), list("enabled", c.ButtonsEnabled);
    text << (c.NewBoard ? " new" : "") << (c.Focus ? " focus" : "");
    return text.str();
}
} // namespace

TEST(RoomReading, ComparingTellsWhatChanged) {
    TRoomReading before{"Playing puzzle 1", "CAT to DOG", 1, 2, {}, {}};
    before.Rows = {{"CAT", "Start word", {}},
                   {"C, blank, blank", "Letter 2 of 3", {}},
                   {"DOG", "End word", {}}};
    before.Buttons = {{"newbtn", "New Puzzle", "", {}, true, true},
                      {"actcbtn", "C", "Change 1 Letter", {}, true, false}};
    const std::pair<std::function<void(TRoomReading&)>, const char*> cases[] = {
        {[](TRoomReading&) {}, ""},
        {[](TRoomReading& r) {
             r.Rows[1] = {"C, O, blank", "Letter 3 of 3", {}};
         },
         " name1 description1"},
        {[](TRoomReading& r) { r.Rows[2].Name = "DOT"; }, " name2 new focus"},
        {[](TRoomReading& r) { r.CursorRow = 3; }, " focus"},
        {[](TRoomReading& r) { r.Puzzle = 2; }, " new focus"},
        {[](TRoomReading& r) { r.Buttons[1].Shown = true, r.Buttons[0].Enabled = false; },
         " shown1 enabled0"},
        {[](TRoomReading& r) { r.Buttons.pop_back(); }, "buttons"},
    };
    for (const auto& [change, told] : cases) {
        TRoomReading after = before;
        change(after);
        EXPECT_EQ(Told(CompareReadings(before, after)), told);
    }
}
