#include "framework/StdHitBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Binds the three hooks for one test and unbinds them afterwards.
class HitBoxTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ControlHook = nullptr;
        ScriptHook = nullptr;
        CursorHook = nullptr;
    }
};

} // namespace

TEST_F(HitBoxTest, HitTestAndFindBox) {
    THitBoxList boxes;
    THitBox* first = boxes.Add(std::make_unique<THitBox>("first", TRect{10, 10, 20, 20}));
    THitBox* second = boxes.Add(std::make_unique<TScriptBox>("second", TRect{15, 15, 30, 30}));
    THitBox* off = boxes.Add(std::make_unique<TControlBox>("off", TRect{0, 0, 100, 100}));
    off->SetEnabled(false);

    struct Case {
        int32_t x, y;
        THitBox* found;
    };
    const Case cases[] = {
        {10, 10, first},  {19, 19, first},  // inclusive left/top, last pixel
        {20, 15, second}, {15, 20, second}, // exclusive right/bottom of the first box
        {16, 16, first},                    // overlap: the box added first wins
        {29, 29, second}, {30, 30, nullptr}, {5, 5, nullptr}, // the disabled box is never hit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(boxes.FindBox(c.x, c.y), c.found) << c.x << ',' << c.y;
    }
    EXPECT_EQ(boxes.FindBox("Second"), second);
    EXPECT_EQ(boxes.FindBox("third"), nullptr);
}

// Beyond what the demonstration room shows: hover events, the button and shift of a press, and a
// disabled box asks nobody for its cursor.
TEST_F(HitBoxTest, HoverPressDetailsAndDisabledCursors) {
    std::vector<std::string> events;
    ControlHook = [&](TControlBox& box, ControlEventCode event) {
        events.push_back(std::to_string(static_cast<int>(event)) + " at " +
                         std::to_string(box.LastPoint.X) + "," + std::to_string(box.LastPoint.Y));
        return false;
    };
    CursorHook = [](const std::string&, int32_t, int32_t) { return CursorId::Link; };
    TControlBox control("pad", {100, 200, 150, 250});
    EXPECT_FALSE(control.MouseDown(2, 4, 110, 205));
    EXPECT_EQ(control.LastButton, 2);
    EXPECT_EQ(control.LastShift, 4);
    EXPECT_FALSE(control.MouseOver(101, 201));
    EXPECT_EQ(events, (std::vector<std::string>{"0 at 10,5", "4 at 1,1"}));
    TScriptBox script("go", {0, 0, 10, 10});
    script.SetCursor(CursorId::AskRoom);
    EXPECT_EQ(script.GetCursor(2, 5), CursorId::Link);
    script.SetEnabled(false);
    EXPECT_EQ(script.GetCursor(2, 5), CursorId::Default);
    // A plain box only clicks, and keeps nothing.
    THitBox plain("plain", {0, 0, 1, 1});
    EXPECT_FALSE(plain.MouseDown(0, 0, 0, 0) || plain.DragMove(0, 0) || plain.MouseOver(0, 0) ||
                 plain.MouseUp(0, 0));
    plain.Hold(1);
}
