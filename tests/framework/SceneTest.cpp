#include "base/TarnStd.h"
#include "framework/SceneImages.h"
#include "framework/StdRoom.h"
#include "framework/TimerScript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct ImageRoom : TRoom {
    ImageRoom(const std::string& name, const std::string& image) : TRoom(name) {
        ImageName = image;
    }
};

} // namespace

TEST(Room, ReservedScripts) {
    TRoom room("lobby");
    EXPECT_NO_THROW(room.RunScript("ENDOFSOUND", "x")) << "a reserved name";
    EXPECT_THAT([&] { room.RunScript("endofmusic", "PARAM"); },
                testing::ThrowsMessage<TarnException>(
                    "Caught an attempt to run an unknown script called \"endofmusic\""))
        << "a reserved name in another case";
}

TEST(Room, LayoutDrawsBackgroundThenFrameSets) {
    SceneLibrary scene({CountingPicture("back", 4, 3, 100), CountingPicture("dot", 1, 1, 7)});
    TPX8ImageData* surface = scene.Surface("screen", 4, 3);

    ImageRoom room("hall", "BACK");
    room.AddFrameSet(std::make_unique<TFrameSet>("dot", TPoint{3, 2}, 1, 1, "dot"));
    // Flipped, then mirrored (and no longer flipped): the picture's corner at the origin.
    for (const auto& [flip, corner] : {std::pair{true, 132}, {false, 103}}) {
        room.SetFlag(RoomFlag::FlipBackground, flip);
        room.SetFlag(RoomFlag::MirrorBackground, !flip);
        room.Layout(surface);
        EXPECT_TRUE(room.TestFlag(RoomFlag::OnDisplay));
        EXPECT_EQ(surface->GetPixel({0, 0}), corner) << flip;
        EXPECT_EQ(surface->GetPixel({3, 2}), 7) << "frame sets come after the background";
    }
    TImageNode* background = scene.library->GetImages().Find("back");
    ASSERT_NE(background, nullptr);
    // The entry stays held; its surface went back after drawing.
    EXPECT_EQ(std::pair(background->RefCount, background->DataRefCount), std::pair(1, 0));

    ScheduleScript(ScriptKind::Flash, 3, ScheduleMode::Always);
    room.Leave("NEXT");
    EXPECT_TRUE(!room.TestFlag(RoomFlag::OnDisplay) && TimerScripts().IsEmpty());
    EXPECT_EQ(scene.library->GetImages().Find("back"), nullptr);
    EXPECT_EQ(scene.library->GetImages().Find("dot"), nullptr) << "nor its frame sets";

    room.Layout(nullptr);
    EXPECT_FALSE(room.TestFlag(RoomFlag::OnDisplay)) << "nothing to draw on";
    EXPECT_THROW(ImageRoom("lost", "missing").GetBackground(), TarnException);
}

// A 3 x 4 strip of two frames, 2 rows each: frame 0 rows hold 1.. and 17.., frame 1 rows 33..
// and 49...
TEST(FrameSet, FramesMirroringVisibilityMissingImagesAndTheLibraryGoingAway) {
    SceneLibrary scene({CountingPicture("strip", 3, 4, 1)});
    TPX8ImageData* target = scene.Surface("target", 8, 4);

    TFrameSet frames("button", {0, 0}, 2, 2, "strip");
    frames.SetFrame(1, target, true);
    frames.SetFrame(2, target, true);
    EXPECT_EQ(frames.Frame, 1) << "an index past the last frame is ignored";
    frames.SetFrame(0, nullptr, false);
    frames.Visible = false;
    frames.Draw(target);
    EXPECT_EQ(Pixels(*target, {0, 0, 1, 2}), (std::vector<int>{33, 49})) << "hidden: frame 1 stays";

    TFrameSet missing("ghost", {7, 3}, 1, 1, "nothing");
    missing.Draw(target);
    EXPECT_EQ(Pixels(*target, {7, 3, 8, 4}), (std::vector<int>{0})) << "a missing image";

    ASSERT_NE(scene.library->GetImages().Find("strip"), nullptr);
    EXPECT_EQ(scene.library->GetImages().Find("strip")->RefCount, 1);
    frames.ReleaseImage();
    EXPECT_EQ(scene.library->GetImages().Find("strip"), nullptr) << "handed back to the library";
    EXPECT_EQ(frames.GetRect(), (TRect{0, 0, 3, 2})) << "and loaded again when needed";

    // Frame 1 upside down and mirrored, in the 3 x 2 rectangle at (4, 1).
    TFrameSet both("~^both", {4, 1}, 2, 2, "STRIP");
    both.SetFrame(1, nullptr, false);
    both.Draw(target);
    EXPECT_EQ(Pixels(*target, {4, 1, 7, 3}), (std::vector<int>{51, 50, 49, 35, 34, 33}));

    TFrameSet left("left", {0, 0}, 2, 2, "strip");
    TFrameSet right("~right", {4, 0}, 2, 2, "strip");
    left.Draw(target);
    right.Draw(target);
    left.Draw(target);
    EXPECT_EQ(Pixels(*target, {0, 0, 8, 1}), (std::vector<int>{1, 2, 3, 0, 3, 2, 1, 0}))
        << "one image shared with a mirrored frame set";

    scene.library.reset();
    EXPECT_EQ(TFrameSet::GetGlobalImageLibrary(), nullptr) << "cleared by the library";
    EXPECT_FALSE(frames.LoadImage()) << "the image went with the library";
    EXPECT_EQ(frames.GetRect(), TRect{});
}
