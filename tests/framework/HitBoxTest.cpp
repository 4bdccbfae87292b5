#include "framework/StdHitBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Where boxes overlap the one added first wins; a disabled box is never hit.
TEST(HitBox, FindBoxByPointAndByName) {
    THitBoxList boxes;
    THitBox* first = boxes.Add(std::make_unique<THitBox>("first", TRect{10, 10, 20, 20}));
    THitBox* second = boxes.Add(std::make_unique<TScriptBox>("second", TRect{15, 15, 30, 30}));
    boxes.Add(std::make_unique<TControlBox>("off", TRect{0, 0, 100, 100}))->SetEnabled(false);
    EXPECT_EQ((std::vector{boxes.FindBox(16, 16), boxes.FindBox(20, 15), boxes.FindBox(5, 5),
                           boxes.FindBox("Second"), boxes.FindBox("third")}),
              (std::vector<THitBox*>{first, second, nullptr, second, nullptr}));
}
