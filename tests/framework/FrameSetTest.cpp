#include "framework/FrameSet.h"
#include "framework/SceneImages.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(FrameSet, DrawsTheCurrentFrameMirroredAsItsNameSays) {
    // A 3 x 4 strip of two frames, 2 rows each: frame 0 rows hold 1.. and 17.., frame 1 rows
    // 33.. and 49...
    SceneLibrary scene({CountingPicture("strip", 3, 4, 1)});
    TPX8ImageData* target = scene.Surface("target", 8, 4);

    // The name, the frame, and the 3 x 2 rectangle at (4, 1).
    const std::tuple<const char*, uint16_t, std::vector<int>> cases[] = {
        {"plain", 0, {1, 2, 3, 17, 18, 19}},   {"plain", 1, {33, 34, 35, 49, 50, 51}},
        {"~mirror", 0, {3, 2, 1, 19, 18, 17}}, {"~^both", 1, {51, 50, 49, 35, 34, 33}},
        {"^flip", 0, {17, 18, 19, 1, 2, 3}},
    };
    for (const auto& [name, frame, pixels] : cases) {
        TFrameSet frames(name, {4, 1}, 2, 2, "STRIP");
        frames.SetFrame(frame, nullptr, false);
        frames.Draw(target);
        EXPECT_EQ(Pixels(*target, {4, 1, 7, 3}), pixels) << name << ' ' << frame;
    }

    TFrameSet left("left", {0, 0}, 2, 2, "strip");
    TFrameSet right("~right", {4, 0}, 2, 2, "strip");
    left.Draw(target);
    right.Draw(target);
    left.Draw(target);
    EXPECT_EQ(Pixels(*target, {0, 0, 8, 1}), (std::vector<int>{1, 2, 3, 0, 3, 2, 1, 0}))
        << "one image shared with a mirrored frame set";
}

TEST(FrameSet, FramesVisibilityMissingImagesAndTheLibraryGoingAway) {
    SceneLibrary scene({CountingPicture("strip", 3, 4, 1)});
    TPX8ImageData* target = scene.Surface("target", 8, 4);

    TFrameSet frames("button", {0, 0}, 2, 2, "strip");
    EXPECT_EQ(scene.Loaded("strip"), nullptr) << "loaded on first use";
    frames.SetFrame(1, target, true);
    EXPECT_EQ(frames.Frame, 1);
    EXPECT_EQ(Pixels(*target, {0, 0, 1, 2}), (std::vector<int>{33, 49}));
    frames.SetFrame(2, target, true);
    EXPECT_EQ(frames.Frame, 1) << "an index past the last frame is ignored";
    frames.SetFrame(0, nullptr, false);
    frames.Visible = false;
    frames.Draw(target);
    EXPECT_EQ(Pixels(*target, {0, 0, 1, 2}), (std::vector<int>{33, 49}));

    TFrameSet missing("ghost", {7, 3}, 1, 1, "nothing");
    missing.Draw(target);
    EXPECT_EQ(Pixels(*target, {7, 3, 8, 4}), (std::vector<int>{0})) << "a missing image";

    ASSERT_NE(scene.Loaded("strip"), nullptr);
    EXPECT_EQ(scene.Loaded("strip")->RefCount, 1);
    frames.ReleaseImage();
    EXPECT_EQ(scene.Loaded("strip"), nullptr) << "handed back to the library";
    EXPECT_EQ(frames.GetRect(), (TRect{0, 0, 3, 2})) << "and loaded again when needed";

    scene.library.reset();
    EXPECT_EQ(TFrameSet::GetGlobalImageLibrary(), nullptr) << "cleared by the library";
    EXPECT_FALSE(frames.LoadImage()) << "the image went with the library";
    EXPECT_EQ(frames.GetRect(), TRect{});
}
