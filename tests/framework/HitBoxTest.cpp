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

TEST_F(HitBoxTest, ClicksAndControlEvents) {
    std::vector<std::string> events;
    ScriptHook = [&](const std::string& script, const std::string& id) {
        events.push_back("script " + script + " from " + id);
    };
    bool capture = true;
    ControlHook = [&](TControlBox& box, uint8_t event) {
        events.push_back("control " + box.GetID() + " " + std::to_string(event) + " at " +
                         std::to_string(box.LastPoint.X) + "," + std::to_string(box.LastPoint.Y));
        return capture;
    };

    TScriptBox script("go", {0, 0, 10, 10});
    script.ScriptName = "START";
    EXPECT_FALSE(script.MouseDown(0, 0, 1, 1)) << "a press is a click";
    EXPECT_EQ(script.GetCursor(2, 2), 1);
    script.SetCursor(CursorAskRoom);
    CursorHook = [&](const std::string& id, int32_t x, int32_t y) -> int16_t {
        events.push_back("cursor " + id + " " + std::to_string(x) + "," + std::to_string(y));
        return 2;
    };
    EXPECT_EQ(script.GetCursor(2, 5), 2);
    script.SetEnabled(false);
    EXPECT_EQ(script.GetCursor(2, 5), 0) << "a disabled box does not ask";

    TControlBox control("pad", {100, 200, 150, 250});
    EXPECT_TRUE(control.MouseDown(2, 4, 110, 205));
    EXPECT_EQ(control.LastButton, 2);
    EXPECT_EQ(control.LastShift, 4);
    capture = false;
    EXPECT_FALSE(control.DragMove(160, 190)) << "points outside the box still count";
    EXPECT_FALSE(control.MouseOver(101, 201));
    EXPECT_FALSE(control.MouseUp(149, 249));
    control.Hold(9);
    EXPECT_EQ(control.HeldTicks, 9);

    const std::vector<std::string> expected = {
        "script START from GO",    "cursor GO 2,5",        "control PAD 0 at 10,5",
        "control PAD 1 at 60,-10", "control PAD 4 at 1,1", "control PAD 2 at 49,49",
        "control PAD 3 at 49,49",
    };
    EXPECT_EQ(events, expected);
}

TEST_F(HitBoxTest, UnboundHooksAndPlainBoxesReportNothing) {
    TScriptBox script("go", {0, 0, 10, 10});
    script.Click();
    script.SetCursor(CursorAskRoom);
    EXPECT_EQ(script.GetCursor(2, 2), 32767) << "the stored value itself";
    THitBox plain("plain", {0, 0, 10, 10});
    TControlBox control("pad", {0, 0, 10, 10});
    for (THitBox* box : {&plain, static_cast<THitBox*>(&control)}) {
        EXPECT_FALSE(box->MouseDown(0, 0, 3, 4));
        EXPECT_FALSE(box->DragMove(5, 5));
        EXPECT_FALSE(box->MouseOver(5, 5));
        EXPECT_FALSE(box->MouseUp(5, 5));
        box->Hold(3);
    }
    EXPECT_EQ(control.LastPoint, (TPoint{5, 5}));
}
