#include "framework/ErrorLog.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

namespace {

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
    const std::string os =
        "OS: " + GetPlatformText() + "; Memory load: \\d{3}%, Free P=\\d+ V=\\d+";
    const std::regex entries(
        "\\d{6} \\d\\d:\\d\\d:\\d\\d v1\\.0\\.3 00000000 \\(00000000\\): std::out_of_range in "
        "TWorld\\.Tick \\(List index out of bounds \\(3\\)\\)\n" +
        os +
        "\n\n"
        "\\d{6} \\d\\d:\\d\\d:\\d\\d v1\\.0\\.3 00000000 \\(00000000\\): \\(anonymous "
        "namespace\\)::GameFault in TGameRoom\\.KeyEvent \\(Decode: invalid line code\\)\n" +
        os + "\n\n");
    EXPECT_TRUE(std::regex_match(log.substr(earlier.size()), entries)) << log;
    EXPECT_TRUE(std::regex_match(GetPlatformText(), std::regex("Linux \\d+\\.\\d+\\.\\d+")));
}

TEST_F(ErrorLogTest, UnwritableLogIsLeftAlone) {
    temp.MakeFolder("errorlog.txt"); // a folder where the log belongs
    EXPECT_NO_THROW(LogError(std::runtime_error("x"), "op"));
    SetErrorLogFolder(temp.Path() + "missing/");
    EXPECT_NO_THROW(LogError(std::runtime_error("x"), "op"));
}

} // namespace
