#include "framework/TimerScript.h"

#include "framework/StdRoom.h"
#include "framework/StdWorld.h"

#include <array>
#include <string>

TTarnList& TimerScripts() {
    static TTarnList scripts;
    return scripts;
}

void ScheduleScript(ScriptKind kind, int32_t delay, ScheduleMode mode) {
    if (mode == ScheduleMode::KeepExisting && FindScript(kind) != nullptr) {
        return;
    }
    if (mode == ScheduleMode::Replace) {
        CancelScript(kind);
    }
    const TStdWorld* world = GetWorld();
    const int32_t now = world == nullptr ? 0 : world->GetTime();
    TimerScripts().Add(std::make_unique<TTimerScriptInfo>(kind, WrappingAdd(now, delay)));
}

void CancelScript(ScriptKind kind) {
    TimerScripts().Remove(FindScript(kind));
}

void ClearScripts() {
    TimerScripts().Clear();
}

TTimerScriptInfo* FindScript(ScriptKind kind) {
    for (TTarnNode* node = TimerScripts().Head(); node != nullptr; node = node->Next()) {
        auto& info = static_cast<TTimerScriptInfo&>(*node);
        if (info.Kind == kind) {
            return &info;
        }
    }
    return nullptr;
}

namespace {

// The script name and parameter a kind passes to RunScript; an empty name runs nothing.
struct TScriptCall {
    std::string Name;
    std::string Param;
};

TScriptCall ScriptCallOf(ScriptKind kind) {
    static const std::array<const char*, 9> names = {"TICK",  "ANIMATE", "TIMER", "DELAY", "MUSIC",
                                                     "SOUND", "FLASH",   "OPEN",  "CLOSE"};
    const auto offset = [kind](ScriptKind from) {
        return static_cast<int>(kind) - static_cast<int>(from);
    };
    if (kind >= ScriptKind::Anim0 && kind < ScriptKind::Tick) {
        return {"ANIM", std::to_string(offset(ScriptKind::Anim0))};
    }
    if (kind >= ScriptKind::Tick && kind <= ScriptKind::Close) {
        return {names[static_cast<size_t>(offset(ScriptKind::Tick))], ""};
    }
    return {};
}

void RunKind(ScriptKind kind) {
    const TScriptCall call = ScriptCallOf(kind);
    TStdWorld* world = GetWorld();
    TStdRoom* room = world == nullptr ? nullptr : world->GetCurrentRoom();
    if (call.Name.empty() || room == nullptr) {
        return;
    }
    room->RunScript(call.Name, call.Param);
}

} // namespace

void RunDueScripts(int32_t time) {
    TTarnList& scripts = TimerScripts();
    TTarnNode* node = scripts.Head();
    while (node != nullptr) {
        TTarnNode* const next = node->Next();
        const auto& info = static_cast<const TTimerScriptInfo&>(*node);
        if (info.Due <= time) {
            const ScriptKind kind = info.Kind;
            scripts.Remove(node);
            RunKind(kind);
        }
        if (next == nullptr || !scripts.Contains(next)) {
            return;
        }
        node = next;
    }
}
