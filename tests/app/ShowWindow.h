#pragma once
// Showing the main window in the window tests, and a game installed for a real session.

#include "app/FormGame.h"
#include "app/GameRooms.h"
#include "fakes/FakeUserInterface.h"
#include "fakes/TempFolder.h"
#include "framework/GameWorld.h"
#include "platform/QtTestApplication.h"
#include "screens/GameRoom.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

// Shows the window and waits until it has entered its first room.
inline bool ShowAndStart(TFormGame& form) {
    bool started = false;
    form.OnShown = [&started] { started = true; };
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowExposed(&form) &&
           ProcessEventsUntil([&started] { return started; });
}

// The built pictures in a folder of their own with the game room registered; the test writes
// the vocabulary and the puzzles into dat/.
class RealGameTest : public ::testing::Test {
  protected:
    RealGameTest() {
        TestApplication();
        std::filesystem::copy_file(LADDERLY_BUILD_DIR "/ladderly.px8", install / "ladderly.px8");
        settings.ProgramFolder = settings.InstallFolder = install.Path();
        settings.DataFolder = install.MakeFolder("dat") + "/";
        RegisterGameRoom(settings.DataFolder, settings.DataFolder, nullptr);
    }
    ~RealGameTest() override { TWorld::SetGameRoomFactory(nullptr); }

    // Shows the window; returns the game room it entered.
    static TGameRoom& Start(TFormGame& form) {
        EXPECT_TRUE(ShowAndStart(form));
        return dynamic_cast<TGameRoom&>(*form.GetWorld()->GetCurrentRoom());
    }

    TempFolder install;
    GameSettings settings;
    ApplicationInfo application{"Ladderly", "ladd.hlp"};
    FakeUserInterface ui;
};
