#include "base/ErrorLog.h"
#include "base/LadderlyVersion.h"
#include "fakes/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using testing::MatchesRegex;

struct GameFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ErrorLogTest : public testing::Test {
  protected:
    ErrorLogTest() { SetErrorLogFolder(temp.Path()); }
    ~ErrorLogTest() override { SetErrorLogFolder(""); }
    TempFolder temp;
};

TEST_F(ErrorLogTest, EachFaultAppendsATwoLineEntry) {
    const std::string earlier = "an earlier entry\n\n";
    temp.Write("errorlog.txt", earlier);
    LogError(std::out_of_range("List index out of bounds (3)"), "TWorld.Tick");
    LogError(GameFault("Decode: invalid line code"), "TGameRoom.KeyEvent");

    const std::string log = temp.Read("errorlog.txt");
    ASSERT_EQ(log.substr(0, earlier.size()), earlier);
    // POSIX extended expressions (GCC's <regex> does not build warning-free under the sanitizers).
    // (The version's dots match any character, themselves included.)
    const std::string stamp =
        "[0-9]{6} [0-9]{2}:[0-9]{2}:[0-9]{2} v" LADDERLY_VERSION " 00000000 \\(00000000\\): ";
    const std::string os =
        "OS: " + GetPlatformText() + "; Memory load: [0-9]{3}%, Free P=[0-9]+ V=[0-9]+\n\n";
    EXPECT_THAT(log.substr(earlier.size()),
                MatchesRegex(stamp +
                             "std::out_of_range in TWorld\\.Tick \\(List index out of bounds "
                             "\\(3\\)\\)\n" +
                             os + stamp +
                             "\\(anonymous namespace\\)::GameFault in TGameRoom\\.KeyEvent "
                             "\\(Decode: invalid line code\\)\n" +
                             os));
    EXPECT_THAT(GetPlatformText(), MatchesRegex("Linux [0-9]+\\.[0-9]+\\.[0-9]+"));
}

TEST_F(ErrorLogTest, MissingFolderIsMadeAndAnUnwritableLogGoesToStandardError) {
    SetErrorLogFolder(temp.Path() + "state/Ladderly/");
    LogError(std::runtime_error("first"), "op");
    EXPECT_THAT(temp.Read("state/Ladderly/errorlog.txt"), testing::HasSubstr("(first)\n"));

    temp.MakeFolder("blocked/errorlog.txt"); // a folder where the log belongs
    SetErrorLogFolder(temp.Path() + "blocked/");
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(LogError(std::runtime_error("second"), "op"));
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("std::runtime_error in op (second)\n"));
}

} // namespace
