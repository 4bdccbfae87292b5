// Process start to the first frame: the staged game run with "--screenshot" (which writes its
// first screen as soon as it is drawn, then ends) against an empty Qt widget window started and
// ended the same way. Both run offscreen. The time runs from spawning the process to the
// moment the screenshot file was last written; max_rss_kb is the largest resident size, which
// both reach by their first frame (ending only frees).

#include "app/WindowKit.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The build staged once into a scratch folder, with the test pictures when the game's own are
// not staged.
const TempFolder& Installation() {
    static const TempFolder folder;
    static const bool staged = [] {
        const std::string command = "cmake --install '" LADDERLY_BUILD_DIR "' --prefix '" +
                                    folder.Path() + "stage' >/dev/null";
        if (std::system(command.c_str()) != 0) {
            return false;
        }
        if (!std::filesystem::exists(folder.Path() + "stage/ladderly.px8")) {
            WriteTestLibrary(folder, "stage/");
        }
        folder.MakeFolder("tmp");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", (folder.Path() + "config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (folder.Path() + "xdg").c_str(), 1);
        setenv("TMPDIR", (folder.Path() + "tmp").c_str(), 1);
        return true;
    }();
    if (!staged) {
        throw std::runtime_error("cannot stage the game");
    }
    return folder;
}

void RunToFirstFrame(benchmark::State& state, const std::string& program) {
    const std::string shot = Installation().Path() + "shot.png";
    std::vector<std::string> arguments{program, "--screenshot", shot};
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    long maxRss = 0;
    for (auto _ : state) {
        timespec started{};
        clock_gettime(CLOCK_REALTIME, &started);
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
        maxRss = std::max(maxRss, usage.ru_maxrss);
        struct stat written {};
        stat(shot.c_str(), &written);
        const double seconds =
            static_cast<double>(written.st_mtim.tv_sec - started.tv_sec) +
            static_cast<double>(written.st_mtim.tv_nsec - started.tv_nsec) * 1e-9;
        state.SetIterationTime(seconds);
    }
    state.counters["max_rss_kb"] = static_cast<double>(maxRss);
}

void BM_GameToFirstFrame(benchmark::State& state) {
    RunToFirstFrame(state, Installation().Path() + "stage/ladderly");
}
BENCHMARK(BM_GameToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_EmptyWindowToFirstFrame(benchmark::State& state) {
    RunToFirstFrame(state, EMPTY_WINDOW);
}
BENCHMARK(BM_EmptyWindowToFirstFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

} // namespace
