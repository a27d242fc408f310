// ProcessBench.cpp -- what only a whole run of the real program shows: its peak memory, and
// whether its 20 ms schedule holds on a real (virtual) display.
//
// The game is the unmodified executable with the frame probe preloaded, which ends it after a
// given number of frames and logs when each frame was presented.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct RunResult {
    int status = -1;
    long peakKb = 0;
};

// Starts `argv` from data/ with `settings` added to the environment and waits for it.
RunResult runFromData(const std::vector<std::string>& argv,
                      const std::vector<std::string>& settings) {
    RunResult result;
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(VORLUSK_DATA_DIR) != 0) {
            _exit(126);
        }
        for (const std::string& setting : settings) {
            putenv(const_cast<char*>(setting.c_str()));
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid < 0) {
        return result;
    }
    int raw = 0;
    rusage usage{};
    if (wait4(pid, &raw, 0, &usage) == pid) {
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.peakKb = usage.ru_maxrss;
    }
    return result;
}

std::vector<long long> readTimes(const std::string& path) {
    std::vector<long long> times;
    std::ifstream in(path);
    long long t = 0;
    while (in >> t) {
        times.push_back(t);
    }
    return times;
}

double percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<size_t>(p * static_cast<double>(samples.size() - 1) + 0.5)];
}

const std::string PROBE = std::string("LD_PRELOAD=") + VORLUSK_FRAME_PROBE;

// 1,000 frames headless (20 s of play at 50 frames a second).
bool peakMemory() {
    RunResult run =
        runFromData({VORLUSK_EXECUTABLE}, {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", PROBE,
                                           "VORLUSK_PROBE_FLY=1", "VORLUSK_PROBE_QUIT_AFTER=1000"});
    if (run.status != 0) {
        std::printf("  peak memory: the run failed (status %d)\n", run.status);
        return false;
    }
    std::printf("  peak resident memory of a 1,000-frame run: %.1f MB\n", run.peakKb / 1024.0);
    return true;
}

// 650 frames in a window on Xvfb, software rendering. The first frames run late (the window is
// still being mapped) and the loop catches up by design, so the 10 s counted start at frame 50,
// once the schedule is met; they should hold 500 frames.
bool pacing() {
    char logPath[] = "/tmp/vorlusk-pacing-XXXXXX";
    int fd = mkstemp(logPath);
    if (fd < 0) {
        return false;
    }
    close(fd);
    RunResult run =
        runFromData({"xvfb-run", "-a", "-s", "-screen 0 1280x720x24 -nolisten tcp", "env",
                     "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy", "SDL_RENDER_DRIVER=software",
                     PROBE, "VORLUSK_PROBE_FLY=1", "VORLUSK_PROBE_QUIT_AFTER=650",
                     std::string("VORLUSK_PROBE_LOG=") + logPath, VORLUSK_EXECUTABLE},
                    {});
    std::vector<long long> times = readTimes(logPath);
    std::remove(logPath);
    const size_t from = 50;
    if (run.status != 0 || times.size() < from + 510) {
        std::printf("  pacing: the run under xvfb-run failed (status %d, %zu frames)\n", run.status,
                    times.size());
        return false;
    }
    const long long tenSeconds = 10 * 1000 * 1000;
    int inTenSeconds = 0;
    for (size_t i = from; i < times.size(); ++i) {
        inTenSeconds += times[i] - times[from] < tenSeconds ? 1 : 0;
    }
    // How far behind the 20 ms schedule the first frame was: what the loop had to catch up. The
    // first present is start-up's cleared window, before the schedule begins.
    double firstLate = static_cast<double>(times[from] - times[1]) / 1000.0 - 20.0 * (from - 1);
    std::vector<double> intervals;
    for (size_t i = from + 1; i < times.size(); ++i) {
        intervals.push_back(static_cast<double>(times[i] - times[i - 1]) / 1000.0);
    }
    std::printf("  pacing on Xvfb: %d frames in the 10 s from frame %zu; frame interval median "
                "%.2f ms, 99th percentile %.2f ms, longest %.2f ms\n",
                inTenSeconds, from, percentile(intervals, 0.50), percentile(intervals, 0.99),
                percentile(intervals, 1.0));
    std::printf("  the first frame came %.1f ms after its due time, made up by frame %zu\n",
                -firstLate, from);
    return true;
}

} // namespace

int main() {
    std::printf("Whole runs of the real program\n");
    bool ok = peakMemory();
    ok = pacing() && ok;
    return ok ? 0 : 1;
}
