#include "framework/TimerScript.h"
#include "base/TarnStd.h"
#include "framework/WorldFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TimerScriptTest : public WorldFixture {
  protected:
    void SetUp() override {
        WorldFixture::SetUp();
        room = AddRoom("A");
        world.GoRoom("A");
        journal.clear();
    }
    RecordingRoom* room = nullptr;
};

std::vector<int32_t> Dues() {
    std::vector<int32_t> dues;
    for (TTarnNode* node = TimerScripts().Head(); node != nullptr; node = node->Next()) {
        dues.push_back(static_cast<TTimerScriptInfo&>(*node).Due);
    }
    return dues;
}

} // namespace

TEST_F(TimerScriptTest, ScheduleModes) {
    const std::pair<ScheduleMode, std::vector<int32_t>> cases[] = {
        {ScheduleMode::Always, {3, 5}},
        {ScheduleMode::KeepExisting, {3}},
        {ScheduleMode::Replace, {5}},
        {static_cast<ScheduleMode>(9), {3, 5}}, // any other mode does not look
    };
    for (const auto& [mode, dues] : cases) {
        ClearScripts();
        ScheduleScript(ScriptKind::Animate, 3, mode);
        ScheduleScript(ScriptKind::Animate, 5, mode);
        EXPECT_EQ(Dues(), dues) << static_cast<int>(mode);
    }

    ClearScripts();
    ScheduleScript(ScriptKind::Tick, 1, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Flash, 2, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Tick, 3, ScheduleMode::Always);
    CancelScript(ScriptKind::Open);
    CancelScript(ScriptKind::Tick);
    EXPECT_EQ(Dues(), (std::vector<int32_t>{2, 3})) << "only the first of the kind goes";
    EXPECT_EQ(FindScript(ScriptKind::Tick)->Due, 3);
}

TEST_F(TimerScriptTest, Timing) {
    world.Tick(100);
    ASSERT_EQ(world.GetTime(), 100);

    // Between passes: delay 0 runs at the next pass, delay d at the (d + 1)-th.
    ScheduleScript(ScriptKind::Animate, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Delay, 2, ScheduleMode::Always);
    // Due together: scheduling order, whatever the kind.
    ScheduleScript(ScriptKind::Open, 1, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Tick, 1, ScheduleMode::Always);
    // Scheduled from inside a pass at Time T with delay d: due at T + d, run d passes later.
    room->onScript = [](const std::string& script) {
        if (script == "ANIMATE") {
            ScheduleScript(ScriptKind::Music, 2, ScheduleMode::Always);
        }
    };

    std::vector<std::vector<std::string>> passes;
    for (int pass = 0; pass < 4; ++pass) {
        journal.clear();
        world.Tick(1);
        passes.push_back(Scripts());
    }
    EXPECT_EQ(passes, (std::vector<std::vector<std::string>>{
                          {"ANIMATE"}, {"OPEN", "TICK"}, {"DELAY", "MUSIC"}, {}}));
}

TEST_F(TimerScriptTest, CancelledOrFailingScripts) {
    ScheduleScript(ScriptKind::Tick, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Timer, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Delay, 0, ScheduleMode::Always);
    ScheduleScript(ScriptKind::Open, 1, ScheduleMode::Always);
    room->onScript = [](const std::string& script) {
        if (script == "TICK") {
            CancelScript(ScriptKind::Timer);
        } else if (script == "OPEN") {
            throw TarnException("the door is stuck");
        }
    };
    world.Tick(1);
    EXPECT_EQ(Scripts(), std::vector<std::string>{"TICK"}) << "the pass stops at a gone entry";
    ui.Answer(MessageBoxResult::No);
    world.Tick(1);
    EXPECT_EQ(Scripts(), (std::vector<std::string>{"TICK", "DELAY", "OPEN"}));
    EXPECT_EQ(ui.boxes.size(), 1u) << "the player is asked";
    EXPECT_TRUE(TimerScripts().IsEmpty()) << "a failing script is gone all the same";
}
