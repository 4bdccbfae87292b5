#pragma once
// Timer scripts: delayed calls into the current room. A room schedules a script kind to run a
// number of world ticks from now; on every tick the world runs the due ones by calling the
// current room's RunScript with the kind's name. Entries run in the order they were scheduled.

#include "base/TarnList.h"

#include <cstdint>

class TTimerScriptInfo : public TTarnNode {
  public:
    TTimerScriptInfo(uint8_t kind, int32_t due) : Kind(kind), Due(due) {}

    uint8_t Kind;
    int32_t Due; // world Time at which the script runs
};

// Script kinds: 0 runs nothing, 1 to 5 run "ANIM" with the parameter "0" to "4", then one name
// each. Kinds above 14 are not defined and run nothing.
namespace ScriptKind {
inline constexpr uint8_t None = 0;
inline constexpr uint8_t Anim0 = 1;
inline constexpr uint8_t Tick = 6;
inline constexpr uint8_t Animate = 7;
inline constexpr uint8_t Timer = 8;
inline constexpr uint8_t Delay = 9;
inline constexpr uint8_t Music = 10;
inline constexpr uint8_t Sound = 11;
inline constexpr uint8_t Flash = 12;
inline constexpr uint8_t Open = 13;
inline constexpr uint8_t Close = 14;
} // namespace ScriptKind

// How ScheduleScript treats a kind that is already scheduled.
namespace ScheduleMode {
inline constexpr uint8_t Always = 0;       // schedule another one
inline constexpr uint8_t KeepExisting = 1; // leave the scheduled one and add nothing
inline constexpr uint8_t Replace = 2;      // remove the first scheduled one, then schedule
} // namespace ScheduleMode

// The process-wide list of scheduled scripts, in scheduling order.
TTarnList& TimerScripts();

// Appends a script of this kind due at the world's Time plus the delay (Time 0 without a world).
void ScheduleScript(uint8_t kind, int32_t delay, uint8_t mode);

// Removes the first script of this kind, if any.
void CancelScript(uint8_t kind);

// Removes every scheduled script.
void ClearScripts();

// The first script of this kind, or nullptr.
TTimerScriptInfo* FindScript(uint8_t kind);

// Runs, in list order, every script whose Due is not after the given time on the world's
// current room, removing each before it runs. When a script removes the entry that would come
// next, the pass stops; what is still due runs at the next pass.
void RunDueScripts(int32_t time);
