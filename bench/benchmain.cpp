// Measures start-up, call latency, playback, timer accuracy, idle cost and memory of the
// program as main.cpp composes it (real QTimers, the SDL player, the window system the
// environment names), and prints one Markdown table. scripts/bench builds and runs it.
//
// Each measurement runs in a child process of this same binary, so every start is a new
// process and the parent can watch a child's CPU time and wake-ups from outside.
// Usage: lottovox_bench SOUNDS_FOLDER [runs]

#include "bench/idle.h"
#include "bench/session.h"
#include "bench/startup.h"
#include "bench/table.h"
#include "ui/desktop/fonts.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int parent(const std::string& sounds, int runs)
{
    Results results;
    if (!measureStartup(runs * 5, results) || !measureSession(sounds, runs, results)
        || !measureIdle(sounds, false, runs, results) || !measureIdle(sounds, true, runs, results))
        return 1;

    printTableHeading();
    printRow({ "cold start: new process to the main window's first frame", "ms", 250, "≤ 250 ms" },
        results["startup"]);
    printRow({ "Next Number press to the call label painted", "ms", 16, "≤ 16 ms" }, results["press_to_label"]);
    printRow({ "press to the letter file's first sample handed to the device", "ms", 30, "≤ 30 ms" },
        results["press_to_first_sample"]);
    printRow({ "playback overhead: time in the player minus the announcement's length", "ms", 60, "≤ 60 ms" },
        results["playback_overhead"]);
    printRow({ "repeat start after the announcement ended: error against 1000 ms", "ms", 20,
                 "every one within ±20 ms", true },
        results["repeat_error"]);
    printRow({ "AutoPlay ticks: error against the 5000 ms schedule", "ms", 20, "every one within ±20 ms", true },
        results["autoplay_error"]);
    printRow({ "idle 10 s after start-up: CPU time", "ms", 10, "~0 (≤ 10 ms)" }, results["idle_start_cpu"]);
    printRow({ "idle 10 s after start-up: context switches", "", 10, "~0 (≤ 10)" }, results["idle_start_wakeups"]);
    printRow({ "idle 10 s, AutoPlay paused after a call: CPU time", "ms", 10, "~0 (≤ 10 ms)" },
        results["idle_paused_cpu"]);
    printRow({ "idle 10 s, AutoPlay paused after a call: context switches", "", 10, "~0 (≤ 10)" },
        results["idle_paused_wakeups"]);
    printRow({ "peak resident memory after calls and AutoPlay", "MB", 60, "≤ 60 MB" }, results["peak_rss_kib"],
        1.0 / 1024);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == StartupFlag)
        return startupChild(argc, argv);
    if (argc < 3 && mode.rfind("--", 0) == 0) {
        std::fprintf(stderr, "%s needs the voice folder\n", mode.c_str());
        return 2;
    }
    if (mode == SessionFlag || mode == IdleFlag || mode == IdlePausedFlag) {
        QApplication application(argc, argv);
        installFontSubstitutes();
        const QString sounds = QString::fromLocal8Bit(argv[2]);
        if (mode == SessionFlag)
            return sessionChild(sounds, 5, 5);
        return idleChild(sounds, mode == IdlePausedFlag);
    }
    if (mode.empty() || !QFileInfo(QString::fromLocal8Bit(argv[1])).isDir()) {
        std::fprintf(stderr, "usage: %s SOUNDS_FOLDER [runs]\n", argv[0]);
        return 2;
    }
    return parent(argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : 3);
}
