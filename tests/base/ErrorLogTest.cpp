#include "base/ErrorLog.h"
#include "base/LadderlyVersion.h"

#include "fakes/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct GameFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Each fault appends a two-line entry after what the log held; a missing folder is made, and a
// log that cannot be written goes to standard error instead of throwing.
TEST(ErrorLog, EntriesFoldersAndAnUnwritableLog) {
    TempFolder temp;
    const std::string earlier = "an earlier entry\n\n";
    temp.Write("state/errorlog.txt", earlier);
    SetErrorLogFolder(temp.Path() + "state/");
    LogError(GameFault("Decode: invalid line code"), "TGameRoom.KeyEvent");
    // POSIX extended expressions (GCC's <regex> does not build warning-free under the sanitizers).
    const std::string stamp =
        "[0-9]{6} [0-9]{2}:[0-9]{2}:[0-9]{2} v" LADDERLY_VERSION " 00000000 \\(00000000\\): ";
    const std::string os =
        "OS: " + GetPlatformText() + "; Memory load: [0-9]{3}%, Free P=[0-9]+ V=[0-9]+\n\n";
    EXPECT_THAT(
        temp.Read("state/errorlog.txt"),
        testing::MatchesRegex(earlier + stamp +
                              "\\(anonymous namespace\\)::GameFault in TGameRoom\\.KeyEvent "
                              "\\(Decode: invalid line code\\)\n" +
                              os));

    SetErrorLogFolder(temp.Path() + "new/Ladderly/");
    LogError(std::runtime_error("first"), "op");
    EXPECT_THAT(temp.Read("new/Ladderly/errorlog.txt"), testing::HasSubstr("(first)\n"));

    temp.MakeFolder("blocked/errorlog.txt"); // a folder where the log belongs
    SetErrorLogFolder(temp.Path() + "blocked/");
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(LogError(std::runtime_error("second"), "op"));
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("std::runtime_error in op (second)\n"));
    SetErrorLogFolder("");
}

} // namespace
