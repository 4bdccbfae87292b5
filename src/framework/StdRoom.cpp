#include "framework/StdRoom.h"

#include "base/TarnStd.h"
#include "framework/TimerScript.h"
#include "graphics/PX8ImageData.h"
#include "graphics/PX8Lib.h"

TStdRoom::TStdRoom(const std::string& name) : TIDNode(name) {}

TStdRoom::~TStdRoom() {
    TStdRoom::FreeGraphics(true);
}

CursorId TStdRoom::GetCursor(const std::string&, int32_t, int32_t) {
    return CursorId::Default;
}

void TStdRoom::RunScript(const std::string& script, const std::string&) {
    for (const char* reserved : ReservedScriptNames) {
        if (script == reserved) {
            return;
        }
    }
    throw TarnException("Caught an attempt to run an unknown script called \"" + script + "\"");
}

bool TStdRoom::ControlEvent(TControlBox&, ControlEventCode) {
    return false;
}

void TStdRoom::KeyEvent(uint16_t, uint8_t, bool) {}

TImageNode* TStdRoom::GetBackground() {
    TPX8Library* library = TFrameSet::GetGlobalImageLibrary();
    if (library == nullptr) {
        return nullptr;
    }
    if (BackgroundEntry == nullptr) {
        const std::string name = GetImageName();
        if (!name.empty()) {
            BackgroundEntry = library->GetImage(name);
        }
    }
    return BackgroundEntry;
}

TPX8ImageData* TStdRoom::GetBackgroundData() {
    TImageNode* entry = GetBackground();
    if (entry == nullptr) {
        BackgroundData = nullptr;
        return nullptr;
    }
    if (BackgroundData == nullptr) {
        BackgroundData = TFrameSet::GetGlobalImageLibrary()->GetImageData(entry);
    }
    return BackgroundData;
}

void TStdRoom::Enter(const std::string&) {
    SetFlag(RoomFlag::Entered, true);
}

void TStdRoom::Leave(const std::string&) {
    SetFlag(RoomFlag::OnDisplay, false);
    ClearScripts();
    FreeGraphics(false);
}

void TStdRoom::Layout(TPX8ImageData* surface) {
    if (surface == nullptr) {
        return;
    }
    if (TPX8ImageData* background = GetBackgroundData()) {
        SetFlag(RoomFlag::OnDisplay, true);
        background->FlipVertical = TestFlag(RoomFlag::FlipBackground);
        background->FlipHorizontal = TestFlag(RoomFlag::MirrorBackground);
        // The surface goes back to the library whether or not drawing succeeds; the entry
        // stays held for the next Layout.
        try {
            surface->Blit({0, 0}, *background, background->GetBounds());
        } catch (...) {
            ReleaseBackgroundData();
            throw;
        }
        ReleaseBackgroundData();
    }
    DrawContents(surface);
}

void TStdRoom::DrawContents(TPX8ImageData* surface) {
    for (TTarnNode* node = FrameSets.Head(); node != nullptr; node = node->Next()) {
        static_cast<TFrameSet&>(*node).Draw(surface);
    }
}

void TStdRoom::FreeGraphics(bool) {
    FrameSets.ReleaseImages();
    ReleaseBackground();
}

void TStdRoom::ReleaseBackgroundData() {
    TPX8Library* library = TFrameSet::GetGlobalImageLibrary();
    if (BackgroundData != nullptr && library != nullptr) {
        library->ReleaseImageData(BackgroundEntry);
    }
    BackgroundData = nullptr;
}

void TStdRoom::ReleaseBackground() {
    ReleaseBackgroundData();
    TPX8Library* library = TFrameSet::GetGlobalImageLibrary();
    if (BackgroundEntry != nullptr && library != nullptr) {
        library->ReleaseImage(BackgroundEntry);
    }
    BackgroundEntry = nullptr;
}

TFrameSet* TStdRoom::AddFrameSet(std::unique_ptr<TFrameSet> frameSet) {
    return FrameSets.Add(std::move(frameSet));
}

THitBox* TStdRoom::AddHitBox(std::unique_ptr<THitBox> box) {
    return HitBoxes.Add(std::move(box));
}

TFrameSet* TStdRoom::FindFrameSet(const std::string& name) const {
    return FrameSets.FindFrameSet(name);
}

THitBox* TStdRoom::FindHitBox(const std::string& name) const {
    return HitBoxes.FindBox(name);
}

void TStdRoom::SetFlag(RoomFlag flag, bool on) {
    const int number = static_cast<int>(flag);
    if (number < 0 || number > 31) {
        return;
    }
    const uint32_t bit = 1u << number;
    Flags = on ? (Flags | bit) : (Flags & ~bit);
}

bool TStdRoom::TestFlag(RoomFlag flag) const {
    const int number = static_cast<int>(flag);
    return number >= 0 && number <= 31 && (Flags & (1u << number)) != 0;
}
