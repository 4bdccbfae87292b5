#pragma once
// Records what the sound server plays, from the default sink's monitor, with parec: 16-bit mono
// samples at a fixed rate, each batch stamped with the time it arrived. Device tests and
// benchmarks use it to find what was heard and when.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

// The first and last sample of a recording louder than a fiftieth of its loudest: where a sound
// is audible, whatever gain the server applied on the way.
struct AudibleSpan {
    std::size_t First = 0;
    std::size_t Last = 0;
    bool Found = false;

    double Seconds(int rate) const {
        return Found ? static_cast<double>(Last - First + 1) / rate : 0.0;
    }
};

inline AudibleSpan FindAudible(const std::vector<std::int16_t>& samples, std::size_t from = 0) {
    int peak = 0;
    for (std::size_t i = from; i < samples.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    const int threshold = std::max(peak / 50, 1);
    AudibleSpan span;
    for (std::size_t i = from; i < samples.size(); ++i) {
        if (std::abs(static_cast<int>(samples[i])) > threshold) {
            span.First = span.Found ? span.First : i;
            span.Last = i;
            span.Found = true;
        }
    }
    return span;
}

class MonitorRecorder {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int Rate = 22050;

    MonitorRecorder() {
        int ends[2];
        if (pipe(ends) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
        posix_spawn_file_actions_addclose(&actions, ends[1]);
        std::vector<std::string> words = {"parec",          "--device=@DEFAULT_MONITOR@",
                                          "--format=s16le", "--rate=" + std::to_string(Rate),
                                          "--channels=1",   "--latency-msec=10"};
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        if (posix_spawnp(&Pid, "parec", &actions, nullptr, argv.data(), environ) != 0) {
            Pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
        Reader = std::thread([this, input = ends[0]] { Read(input); });
    }
    ~MonitorRecorder() { Stop(); }
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // Ends parec; what was recorded stays.
    void Stop() {
        if (Pid > 0) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
            Pid = -1;
        }
        if (Reader.joinable()) {
            Reader.join();
        }
    }

    std::size_t Count() const {
        const std::lock_guard lock(Mutex);
        return Samples.size();
    }

    std::vector<std::int16_t> Recorded() const {
        const std::lock_guard lock(Mutex);
        return Samples;
    }

    // When the sample at index was recorded: its batch's arrival, less the samples after it.
    Clock::time_point TimeOf(std::size_t index) const {
        const std::lock_guard lock(Mutex);
        const auto batch =
            std::upper_bound(Batches.begin(), Batches.end(), index,
                             [](std::size_t i, const std::pair<std::size_t, Clock::time_point>& b) {
                                 return i < b.first;
                             });
        if (batch == Batches.end()) {
            return Clock::time_point::max();
        }
        const auto later =
            std::chrono::duration<double>(static_cast<double>(batch->first - 1 - index) / Rate);
        return batch->second - std::chrono::duration_cast<Clock::duration>(later);
    }

  private:
    void Read(int input) {
        char bytes[4096];
        std::string pending;
        for (ssize_t n; (n = read(input, bytes, sizeof bytes)) > 0;) {
            const Clock::time_point now = Clock::now();
            pending.append(bytes, static_cast<std::size_t>(n));
            const std::size_t whole = pending.size() / 2;
            const std::lock_guard lock(Mutex);
            for (std::size_t i = 0; i < whole; ++i) {
                Samples.push_back(
                    static_cast<std::int16_t>(static_cast<std::uint8_t>(pending[2 * i]) |
                                              static_cast<std::uint8_t>(pending[2 * i + 1]) << 8));
            }
            pending.erase(0, whole * 2);
            Batches.emplace_back(Samples.size(), now);
        }
        close(input);
    }

    pid_t Pid = -1;
    std::thread Reader;
    mutable std::mutex Mutex;
    std::vector<std::int16_t> Samples;
    // The sample count after each batch, and when the batch arrived.
    std::vector<std::pair<std::size_t, Clock::time_point>> Batches;
};
