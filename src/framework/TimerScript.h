#pragma once
// Timer scripts: delayed calls into the current room. A room schedules a script kind to run a
// number of world ticks from now; on every tick the world runs the due ones by calling the
// current room's RunScript with the kind's name. Entries run in the order they were scheduled.

#include "base/TarnList.h"

#include <cstdint>

// Script kinds: None runs nothing, Anim0 and the four kinds after it run "ANIM" with the
// parameter "0" to "4", then one name each. Kinds after Close are not defined and run nothing.
enum class ScriptKind : uint8_t {
    None = 0,
    Anim0 = 1,
    Tick = 6,
    Animate = 7,
    Timer = 8,
    Delay = 9,
    Music = 10,
    Sound = 11,
    Flash = 12,
    Open = 13,
    Close = 14,
};

// How ScheduleScript treats a kind that is already scheduled.
enum class ScheduleMode : uint8_t {
    Always = 0,       // schedule another one
    KeepExisting = 1, // leave the scheduled one and add nothing
    Replace = 2,      // remove the first scheduled one, then schedule
};

class TTimerScriptInfo : public TTarnNode {
  public:
    TTimerScriptInfo(ScriptKind kind, int32_t due) : Kind(kind), Due(due) {}

    ScriptKind Kind;
    int32_t Due; // world Time at which the script runs
};

// The process-wide list of scheduled scripts, in scheduling order.
TTarnList& TimerScripts();

// Appends a script of this kind due at the world's Time plus the delay (Time 0 without a world).
void ScheduleScript(ScriptKind kind, int32_t delay, ScheduleMode mode);

// Removes the first script of this kind, if any.
void CancelScript(ScriptKind kind);

// Removes every scheduled script.
void ClearScripts();

// The first script of this kind, or nullptr.
TTimerScriptInfo* FindScript(ScriptKind kind);

// Runs, in list order, every script whose Due is not after the given time on the world's
// current room, removing each before it runs. When a script removes the entry that would come
// next, the pass stops; what is still due runs at the next pass.
void RunDueScripts(int32_t time);
