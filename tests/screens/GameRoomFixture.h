#pragma once
// A game room in a world on a fake graphic area, over data files in a temporary folder and
// pictures made in memory, and a reader that turns the drawn board back into text.
//
// The pictures are made so every drawn element can be told from its pixels: the background is
// colour 7, letter tile k has colour 60 + k, the action labels 10 to 15 (in the order of
// "ACMRSX"), the check marks 21 to 24 (by row status), the hint marks 31 and 32, the edit-mode
// label 40, the win sprite 90, the solved badge 95 and 96 (solved, with help) and each button
// strip 120 (enabled frame) and 121 (disabled frame).

#include "fakes/FakeGameWindow.h"
#include "fakes/FakeGraphicArea.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/GameWorld.h"
#include "framework/SceneImages.h"
#include "framework/TimerScript.h"
#include "graphics/HotImage.h"
#include "screens/GameRoom.h"
#include "screens/RoomSound.h"
#include "screens/ScriptedGameDialogs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr uint8_t BackgroundColour = 7, FirstTileColour = 60, FirstLabelColour = 10,
                         FirstMarkColour = 21, BadgeColour = 95, ButtonEnabledColour = 120;

using Lines = std::vector<std::string>;

// A picture of one colour with some rectangles of others: left, top, right, bottom and colour.
inline TPX8Picture Painted(const std::string& name, uint16_t width, uint16_t height, uint8_t colour,
                           const std::vector<int>& parts = {}) {
    TPX8Picture picture{name,  width, height, std::vector<uint8_t>(size_t{width} * height, colour),
                        false, 0};
    for (size_t k = 0; k + 4 < parts.size(); k += 5) {
        for (int y = parts[k + 1]; y < parts[k + 3]; ++y) {
            std::fill_n(picture.Pixels.begin() + y * width + parts[k], parts[k + 2] - parts[k],
                        static_cast<uint8_t>(parts[k + 4]));
        }
    }
    return picture;
}

inline std::vector<TPX8Picture> GamePictures() {
    // The action labels, check marks, hint marks and edit-mode label.
    const std::vector<int> graphics = {
        0,   0,   100, 21,  10,  100, 0,   200, 21,  11,  200, 21,  300, 42,  12, 200, 0,
        300, 21,  13,  100, 21,  200, 42,  14,  0,   21,  100, 42,  15,  0,   42, 137, 52,
        21,  0,   52,  80,  62,  22,  80,  52,  160, 62,  23,  137, 42,  175, 52, 24,  195,
        42,  202, 50,  31,  188, 42,  195, 50,  32,  251, 42,  300, 51,  40};
    std::vector<TPX8Picture> pictures{
        Painted("screen", 450, 326, BackgroundColour), Painted("laddgfx", 300, 62, 0, graphics),
        Painted("youwin", 40, 30, 90),
        Painted(BadgeName, 22, 44, BadgeColour, {0, 22, 22, 44, BadgeColour + 1}),
        Painted("letters", 226, 121, 0)};
    for (size_t i = 0; i < pictures.back().Pixels.size(); ++i) {
        pictures.back().Pixels[i] =
            static_cast<uint8_t>(FirstTileColour + std::min<size_t>(i / 226 / 20, 5) * 9 +
                                 std::min<size_t>(i % 226 / 25, 8));
    }
    for (const std::string name :
         {"checkbtn", "hintbtn", "startbtn", "newbtn", "selbtn", "edvocbtn", "sugstbtn", "addrwbtn",
          "delrwbtn", "sethnbtn", "clrhnbtn", "accptbtn", "canclbtn", "actmbtn", "actcbtn",
          "actsbtn", "actxbtn", "actrbtn", "actabtn"}) {
        const uint16_t w = name.starts_with("act") ? 38 : 60, h = w == 38 ? 42 : 24;
        pictures.push_back(
            Painted(name, w, h, ButtonEnabledColour, {0, h / 2, w, h, ButtonEnabledColour + 1}));
    }
    return pictures;
}

// A user interface that lets a test act whenever the game lets pending messages through, as
// the player's keys arrive during the solver's search.
// The action is put aside while it runs, so the pumps it makes itself do not call it again.
struct PumpingUserInterface : FakeUserInterface {
    void ProcessPendingMessages() override {
        if (std::function<void()> pump = std::exchange(onPump, nullptr)) {
            pump();
            onPump = pump;
        }
    }
    std::function<void()> onPump;
};

class GameRoomFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearScripts();
        THotImage::SetGlobalImageLibrary(scene.library.get());
        area.surface = scene.Surface("display", 450, 326);
        SetSoundPlayer([this](uint8_t kind) { sounds.push_back(kind); });
    }
    void TearDown() override {
        world.reset();
        SetSoundPlayer(nullptr);
        TWorld::SetGameRoomFactory(nullptr);
        THotImage::SetGlobalImageLibrary(nullptr);
        ClearScripts();
    }

    // Writes the data files, then makes the world, which creates and enters the room.
    void Start(std::string_view vocabulary, std::string_view puzzles) {
        folder.Write("vocab.txt", vocabulary);
        folder.Write("puzzle.txt", puzzles);
        TWorld::SetGameRoomFactory([this](const std::string& id) {
            auto made = std::make_unique<TGameRoom>(id, folder.Path(), &dialogs);
            made->Progress.Open(journal, resume);
            made->Progress.Today = [] { return std::string("2025-03-14"); };
            return made;
        });
        world = std::make_unique<TWorld>(&area);
        world->SetWindow(&window);
        SetWorld(world.get());
        world->CreateRooms();
        world->Start();
        room = dynamic_cast<TGameRoom*>(world->GetCurrentRoom());
        ASSERT_NE(room, nullptr);
    }

    void Key(uint16_t key, uint8_t shift = 0) {
        world->KeyDown(key, shift);
        world->KeyUp(key, shift);
    }
    // Letter keys carry the upper-case letter's code.
    void Type(std::string_view keys) {
        for (const char ch : keys) {
            Key(static_cast<uint16_t>(ch & ~0x20));
        }
    }
    // A press at a point relative to a hit box (a button's frame set, or "board").
    void Press(const std::string& box, int32_t x = 1, int32_t y = 1) {
        const TRect& bounds = room->FindHitBox(box)->Bounds;
        area.Press(bounds.Left + x, bounds.Top + y);
        area.Release(bounds.Left + x, bounds.Top + y);
    }
    // Makes the selector answer with the result, at the position unless it is negative.
    void Choose(SelectorResult result, int32_t position = -1) {
        dialogs.selector = [=](std::vector<TSelectorEntry>&, int32_t& at) {
            at = position < 0 ? at : position;
            return result;
        };
    }
    // Rewrites a data file with a newer time, as an editor would while the game runs.
    void Rewrite(const std::string& name, std::string_view text) {
        const auto later = std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5);
        std::filesystem::last_write_time(folder.Write(name, text), later);
    }

    uint8_t Pixel(int32_t x, int32_t y) { return area.surface->GetPixel({x, y}); }

    // The board as drawn: one line per row, the action label's code (a blank for none), a
    // blank, then the cells: "." for an empty cell, a lower-case letter for a plain tile, an
    // upper-case one for a highlighted tile, the cursor's cell in brackets. A check mark
    // shows as " mark N" after the cells.
    std::vector<std::string> Board() {
        // Tile k: empty, plain letters, an unused one, highlighted letters.
        static constexpr std::string_view Tiles =
            ".abcdefghijklmnopqrstuvwxyz?ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        // The code of the pixel's colour counted from first, else none.
        const auto code = [this](int32_t x, int32_t y, int first, std::string_view codes,
                                 char none) {
            const auto k = static_cast<size_t>(Pixel(x, y) - first);
            return k < codes.size() ? codes[k] : none;
        };
        std::vector<std::string> lines;
        for (int r = 1; r <= room->RowCount; ++r) {
            const int32_t top = room->BoardTop + (r - 1) * 26, left = room->BoardLeft + 112;
            std::string line{code(left - 62, top + 10, FirstLabelColour, "ACMRSX", ' '), ' '};
            for (int32_t x = left; x < left + room->RowLength(r) * 30; x += 30) {
                const char cell = code(x + 3, top + 2, FirstTileColour, Tiles, '?');
                const bool cursor = Pixel(x - 2, top - 2) == BoardGeometry::CursorColour;
                line += cursor ? std::string{'[', cell, ']'} : std::string{cell};
            }
            const int32_t middle = left + ((room->BoardWidth - 1) * 30 + 26) / 2;
            const char mark = code(middle, top + 10, FirstMarkColour, "1234", 0);
            lines.push_back(mark != 0 ? line + " mark " + mark : line);
        }
        return lines;
    }

    // The names of the enabled buttons, in the order of the frame sets, as drawn.
    std::string EnabledButtons() {
        std::string names;
        for (TTarnNode* node = room->GetFrameSets().Head(); node != nullptr; node = node->Next()) {
            const auto& f = static_cast<TFrameSet&>(*node);
            if (f.Visible && Pixel(f.Position.X + 1, f.Position.Y + 1) == ButtonEnabledColour) {
                names += (names.empty() ? "" : " ") + f.GetID();
            }
        }
        return names;
    }

    TempFolder folder;
    PumpingUserInterface ui;
    SceneLibrary scene{GamePictures()};
    FakeGraphicArea area;
    FakeGameWindow window;
    ScriptedGameDialogs dialogs;
    std::vector<uint8_t> sounds;
    std::unique_ptr<TWorld> world;
    TGameRoom* room = nullptr;
    // The progress journal the room keeps (none when empty) and whether a start resumes.
    std::string journal;
    bool resume = false;
};

// Words and puzzles of the room tests: five four-row puzzles of three-letter words that keep
// their file order (equal sort keys), the first two with a hint for row 2.
inline constexpr std::string_view TestWords =
    "bag\nbat\nbig\ncat\ncog\ncot\ndig\ndog\nhat\nhog\nhot\n";
inline constexpr std::string_view TestPuzzles =
    "cat\ndog\nccc\n2=cot\ndog\ncat\nccc\n2=cog\ncat\nhog\nccc\n\n"
    "bag\ndog\nccc\n\nhot\nbat\nccc\n\n";
