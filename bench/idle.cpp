#include "bench/idle.h"

#include "bench/benchprogram.h"
#include "bench/childprocess.h"
#include "bench/waiter.h"
#include "ui/frmbingo.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// CPU time in nanoseconds and context switches (each one a wake-up or a preemption), summed
// over the threads of a process.
struct Usage {
    double cpuNs = 0;
    double switches = 0;
};

Usage usageOf(pid_t pid)
{
    Usage usage;
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks + '/' + task + "/schedstat");
        if (schedstat.open(QIODevice::ReadOnly))
            usage.cpuNs += schedstat.readAll().split(' ').value(0).toDouble();
        QFile status(tasks + '/' + task + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                usage.switches += line.split(':').value(1).trimmed().toDouble();
        }
    }
    return usage;
}

} // namespace

bool measureIdle(const std::string& sounds, bool paused, int runs, Results& results)
{
    for (int run = 0; run < runs; ++run) {
        std::fprintf(stderr, "idle %s: run %d of %d\n", paused ? "with AutoPlay paused" : "after start-up",
            run + 1, runs);
        ChildProcess child(ThisProgram, { "lottovox_bench", paused ? IdlePausedFlag : IdleFlag, sounds });
        Results ready;
        readResults(child.output(), ready, "ready");
        if (ready["ready"].empty()) {
            failed("the program did not come to rest");
            return false;
        }
        const Usage before = usageOf(child.pid());
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const Usage after = usageOf(child.pid());
        if (!child.terminate())
            std::fprintf(stderr, "the program did not stop on SIGTERM within 3 s\n");
        const std::string key = paused ? "idle_paused" : "idle_start";
        results[key + "_cpu"].push_back((after.cpuNs - before.cpuNs) / 1e6);
        results[key + "_wakeups"].push_back(after.switches - before.switches);
    }
    return true;
}

int idleChild(const QString& sounds, bool afterAutoPlay)
{
    BenchProgram p(sounds);
    if (afterAutoPlay) {
        EnabledWatch watch;
        p.form().cmdNextNumber->installEventFilter(&watch);
        p.click(p.form().cmdNextNumber);
        if (!waiter().until([&] { return p.nextEnabled() && !p.lottovox.tmrRepeatTimer().isActive(); }, 10000))
            return failed("Next Number did not come back");
        p.click(p.form().chkAutoPlay);
        waiter().pause(200);
        p.click(p.form().chkAutoPlay);
        p.form().cmdNextNumber->removeEventFilter(&watch);
        // The pointer rests where no tooltip opens, and closes, while the parent looks.
        QTest::mouseMove(p.form().windowHandle(), p.form().lblCurrent_Call->geometry().center());
    }
    // Lets the timers of the last pointer move run out first.
    waiter().pause(1500);
    report("ready", 0);
    return QApplication::exec();
}
