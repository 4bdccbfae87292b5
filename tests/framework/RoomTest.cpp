#include "base/TarnStd.h"
#include "framework/SceneImages.h"
#include "framework/StdRoom.h"
#include "framework/TimerScript.h"

#include <gtest/gtest.h>

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
    try {
        room.RunScript("endofmusic", "PARAM");
        ADD_FAILURE() << "a script of another case ran";
    } catch (const TarnException& fault) {
        EXPECT_STREQ(fault.what(),
                     "Caught an attempt to run an unknown script called \"endofmusic\"");
    }
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
