#include "framework/StdHitBox.h"

#include <gtest/gtest.h>

#include <memory>

TEST(HitBox, HitTestAndFindBox) {
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
