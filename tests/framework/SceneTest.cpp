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

TEST(Room, FlagsAndScripts) {
    TRoom room("lobby");
    for (const int number : {0, 31, 32, -1, 1000}) {
        const auto flag = static_cast<RoomFlag>(number);
        room.SetFlag(flag, true);
        EXPECT_EQ(room.TestFlag(flag), number == 0 || number == 31) << number;
        room.SetFlag(flag, false);
        EXPECT_FALSE(room.TestFlag(flag)) << number;
    }

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
    // Flipped, mirrored, the first column and the first row.
    const std::tuple<bool, bool, std::vector<int>, std::vector<int>> cases[] = {
        {false, false, {100, 116, 132}, {100, 101, 102, 103}},
        {true, false, {132, 116, 100}, {132, 133, 134, 135}},
        {false, true, {103, 119, 135}, {103, 102, 101, 100}},
        {true, true, {135, 119, 103}, {135, 134, 133, 132}},
    };
    for (const auto& [flip, mirror, firstColumn, firstRow] : cases) {
        room.SetFlag(RoomFlag::FlipBackground, flip);
        room.SetFlag(RoomFlag::MirrorBackground, mirror);
        room.Layout(surface);
        EXPECT_TRUE(room.TestFlag(RoomFlag::OnDisplay));
        EXPECT_EQ(Pixels(*surface, {0, 0, 1, 3}), firstColumn) << flip << mirror;
        EXPECT_EQ(Pixels(*surface, {0, 0, 4, 1}), firstRow) << flip << mirror;
        EXPECT_EQ(surface->GetPixel({3, 2}), 7) << "frame sets come after the background";
    }
    TImageNode* background = scene.Loaded("back");
    ASSERT_NE(background, nullptr);
    // The entry stays held; its surface went back after drawing.
    EXPECT_EQ(std::pair(background->RefCount, background->DataRefCount), std::pair(1, 0));

    ScheduleScript(ScriptKind::Flash, 3, ScheduleMode::Always);
    room.Leave("NEXT");
    EXPECT_TRUE(!room.TestFlag(RoomFlag::OnDisplay) && TimerScripts().IsEmpty());
    EXPECT_EQ(scene.Loaded("back"), nullptr);
    EXPECT_EQ(scene.Loaded("dot"), nullptr) << "nor its frame sets";

    room.Layout(nullptr);
    EXPECT_FALSE(room.TestFlag(RoomFlag::OnDisplay)) << "nothing to draw on";
    EXPECT_THROW(ImageRoom("lost", "missing").GetBackground(), TarnException);
}

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

// A 3 x 4 strip of two frames, 2 rows each: frame 0 rows hold 1.. and 17.., frame 1 rows 33..
// and 49...
TEST(FrameSet, FramesMirroringVisibilityMissingImagesAndTheLibraryGoingAway) {
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

    // The name, the frame, and the 3 x 2 rectangle at (4, 1).
    const std::tuple<const char*, uint16_t, std::vector<int>> cases[] = {
        {"plain", 0, {1, 2, 3, 17, 18, 19}},   {"plain", 1, {33, 34, 35, 49, 50, 51}},
        {"~mirror", 0, {3, 2, 1, 19, 18, 17}}, {"~^both", 1, {51, 50, 49, 35, 34, 33}},
        {"^flip", 0, {17, 18, 19, 1, 2, 3}},
    };
    for (const auto& [name, frame, pixels] : cases) {
        TFrameSet shown(name, {4, 1}, 2, 2, "STRIP");
        shown.SetFrame(frame, nullptr, false);
        shown.Draw(target);
        EXPECT_EQ(Pixels(*target, {4, 1, 7, 3}), pixels) << name << ' ' << frame;
    }

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
