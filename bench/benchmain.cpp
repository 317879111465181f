// Measures start-up, call latency, playback, timer accuracy, idle cost and memory of the
// program as main.cpp composes it (real QTimers, the SDL player, the window system the
// environment names), and prints one Markdown table. scripts/bench builds and runs it.
//
// Each measurement runs in a child process of this same binary, so every start is a new
// process and the parent can watch a child's CPU time and wake-ups from outside.
// Usage: lottovox_bench SOUNDS_FOLDER [runs]

#include "app/desktoplottovox.h"
#include "app/lottovox.h"
#include "calling/sdlsoundplayer.h"
#include "ui/browser.h"
#include "ui/fonts.h"
#include "ui/frmbingo.h"
#include "ui/qttimer.h"
#include "ui/yesnobox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <SDL.h>

#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds on the monotonic clock, which every process on the machine shares.
double nowMs()
{
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

// SDL's disk driver hands each device buffer to the C library's fwrite, whose 4 KiB stdio
// buffer would hold the first samples back for several buffers before they reach the file.
// Watching fwrite itself sees the moment the first buffer of a clip leaves for the device.
std::atomic<bool> g_listening = false;
std::atomic<double> g_handedOver = 0;

} // namespace

extern "C" size_t fwrite(const void* data, size_t size, size_t count, FILE* stream)
{
    using Fwrite = size_t (*)(const void*, size_t, size_t, FILE*);
    static const auto real = reinterpret_cast<Fwrite>(dlsym(RTLD_NEXT, "fwrite"));
    if (stream != stdout && stream != stderr && g_listening.exchange(false))
        g_handedOver = nowMs();
    return real(data, size, count, stream);
}

namespace {

// Runs the event loop until a condition holds, woken by poke() rather than by polling, so the
// program's timers keep their own times.
class Waiter {
public:
    bool until(const std::function<bool()>& done, int timeoutMs)
    {
        if (done())
            return true;
        QEventLoop loop;
        m_loop = &loop;
        m_done = &done;
        run(loop, timeoutMs);
        m_loop = nullptr;
        return done();
    }

    void pause(int milliseconds)
    {
        QEventLoop loop;
        run(loop, milliseconds);
    }

    void poke()
    {
        if (m_loop && (*m_done)())
            m_loop->quit();
    }

private:
    // A timer that goes with the loop: a single-shot one would outlive it and wake an idle
    // program later.
    static void run(QEventLoop& loop, int milliseconds)
    {
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(milliseconds);
        loop.exec();
    }

    QEventLoop* m_loop = nullptr;
    const std::function<bool()>* m_done = nullptr;
};

Waiter g_waiter;

// A QtTimer that notes when it was armed and when each tick came.
class StampedTimer final : public Timer {
public:
    StampedTimer(int milliseconds, QObject* owner)
        : m_timer(milliseconds, owner)
    {
        m_timer.setTickHandler([this] {
            ticks.push_back(nowMs());
            tick();
            g_waiter.poke();
        });
    }

    void start() override
    {
        m_timer.start();
        rearmed();
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    void setInterval(int milliseconds) override
    {
        m_timer.setInterval(milliseconds);
        if (m_timer.isActive())
            rearmed();
    }
    int interval() const override { return m_timer.interval(); }

    double armed = 0;
    std::vector<double> ticks;

private:
    void rearmed()
    {
        armed = nowMs();
        ticks.clear();
    }

    QtTimer m_timer;
};

// The SDL player, with the start and end of every clip noted.
class TimedPlayer final : public SoundPlayer {
public:
    struct Play {
        QString path;
        double start;
        double end;
        bool played;
    };

    bool playSync(const QString& path) override
    {
        const double start = nowMs();
        const bool played = m_player.playSync(path);
        log.push_back({ path, start, nowMs(), played });
        g_waiter.poke();
        return played;
    }

    std::vector<Play> log;

private:
    SdlSoundPlayer m_player;
};

double clipMs(const QString& path)
{
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(QFile::encodeName(path).constData(), &spec, &samples, &length))
        return 0;
    SDL_FreeWAV(samples);
    return 1000.0 * length / (SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels) / spec.freq;
}

qint64 peakResidentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The program as main.cpp builds it, with the timers and the player open to inspection.
struct Program {
    explicit Program(const QString& sounds)
        : lottovox(Platform {
            player,
            confirmation,
            browser,
            RandomSource::clockSeed,
            [sounds] { return sounds; },
            [](int milliseconds, QObject* owner) {
                return std::make_unique<StampedTimer>(milliseconds, owner);
            },
        })
    {
        lottovox.show();
        if (!QTest::qWaitForWindowExposed(&form()))
            std::fprintf(stderr, "the main window was never shown\n");
    }

    frmBingo& form() { return lottovox.form(); }
    StampedTimer& timer(Timer& timer) { return static_cast<StampedTimer&>(timer); }
    void click(QWidget* control)
    {
        QWidget* window = control->window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
            control->mapTo(window, QPoint(4, control->height() / 2)));
    }
    bool nextEnabled() { return form().cmdNextNumber->isEnabled(); }

    TimedPlayer player;
    QtYesNoBox confirmation;
    DesktopBrowser browser;
    Lottovox lottovox;
};

// Wakes the waiter when Next Number is enabled again.
class EnabledWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange)
            g_waiter.poke();
        return false;
    }
};

// Composes the program exactly as main.cpp does.
int startupChild(int argc, char* argv[])
{
    QApplication application(argc, argv);
    installFontSubstitutes();
    DesktopLottovox desktop;
    Lottovox& lottovox = desktop.program();

    // The first paint of any part of the window starts its first frame; the frame is on
    // screen once that event has been handled and the loop comes round again.
    struct FirstPaint : QObject {
        QWidget* window;
        explicit FirstPaint(QWidget* w)
            : window(w)
        {
        }
        bool eventFilter(QObject* target, QEvent* event) override
        {
            auto* widget = qobject_cast<QWidget*>(target);
            if (event->type() == QEvent::Paint && widget && widget->window() == window) {
                QCoreApplication::instance()->removeEventFilter(this);
                QTimer::singleShot(0, [] {
                    report("painted", nowMs());
                    QCoreApplication::quit();
                });
            }
            return false;
        }
    } firstPaint(&lottovox.form());
    application.installEventFilter(&firstPaint);
    lottovox.show();
    return application.exec();
}

int failed(const char* what)
{
    std::fprintf(stderr, "lottovox_bench: %s\n", what);
    return 1;
}

int sessionChild(const QString& sounds, int manualCalls, int autoPlayTicks)
{
    Program p(sounds);
    EnabledWatch watch;
    p.form().cmdNextNumber->installEventFilter(&watch);
    StampedTimer& repeat = p.timer(p.lottovox.tmrRepeatTimer());
    StampedTimer& autoPlay = p.timer(p.lottovox.tmrAutoplay());

    const auto settled = [&] { return p.nextEnabled() && !repeat.isActive(); };
    for (int call = 0; call < manualCalls; ++call) {
        if (!g_waiter.until(settled, 10000))
            return failed("Next Number did not come back");
        g_waiter.pause(300);
        const std::size_t firstPlay = p.player.log.size();
        g_handedOver = 0;
        g_listening = true;
        const double pressed = nowMs();
        p.click(p.form().cmdNextNumber);
        g_listening = false;
        if (p.player.log.size() < firstPlay + 2 || !p.player.log[firstPlay].played)
            return failed("the call was not played: is the voice folder right?");
        // Call_Out repaints the label and returns from that before it plays the first file.
        report("press_to_label", p.player.log[firstPlay].start - pressed);
        if (g_handedOver > pressed)
            report("press_to_first_sample", g_handedOver - pressed);
        for (std::size_t i = firstPlay; i < p.player.log.size(); ++i) {
            const TimedPlayer::Play& play = p.player.log[i];
            report("playback_overhead", play.end - play.start - clipMs(play.path));
        }
        const double announced = p.player.log.back().end;
        if (!g_waiter.until([&] { return !repeat.ticks.empty(); }, 5000))
            return failed("the call was not repeated");
        report("repeat_error", repeat.ticks.front() - announced - repeat.interval());
    }

    // The shortest AutoPlay period, without the repeat's allowance.
    if (!g_waiter.until(settled, 10000))
        return failed("Next Number did not come back");
    p.click(p.form().chkRepeat);
    p.click(p.form().chkAutoPlay);
    p.click(p.form().optSeconds(2));
    const int period = autoPlay.interval();
    if (!g_waiter.until([&] { return int(autoPlay.ticks.size()) >= autoPlayTicks; },
            period * (autoPlayTicks + 2)))
        return failed("AutoPlay did not call");
    for (std::size_t k = 0; k < autoPlay.ticks.size(); ++k)
        report(
            "autoplay_error", autoPlay.ticks[k] - autoPlay.armed - double(period) * double(k + 1));
    p.click(p.form().chkAutoPlay);
    report("peak_rss_kib", double(peakResidentKiB()));
    return 0;
}

// Waits, idle, until the parent ends it: after start-up, or with AutoPlay paused after a call.
int idleChild(const QString& sounds, bool afterAutoPlay)
{
    Program p(sounds);
    if (afterAutoPlay) {
        EnabledWatch watch;
        p.form().cmdNextNumber->installEventFilter(&watch);
        p.click(p.form().cmdNextNumber);
        if (!g_waiter.until(
                [&] { return p.nextEnabled() && !p.lottovox.tmrRepeatTimer().isActive(); }, 10000))
            return failed("Next Number did not come back");
        p.click(p.form().chkAutoPlay);
        g_waiter.pause(200);
        p.click(p.form().chkAutoPlay);
        p.form().cmdNextNumber->removeEventFilter(&watch);
        // The pointer rests where no tooltip opens, and closes, while the parent looks.
        QTest::mouseMove(p.form().windowHandle(), p.form().lblCurrent_Call->geometry().center());
    }
    // Lets the timers of the last pointer move run out first.
    g_waiter.pause(1500);
    report("ready", 0);
    return QApplication::exec();
}

// ---- the parent ----

struct Child {
    pid_t pid = -1;
    FILE* output = nullptr;
};

Child spawn(const std::vector<std::string>& arguments)
{
    int pipe[2];
    if (::pipe(pipe) != 0) {
        std::perror("lottovox_bench: pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("lottovox_bench: posix_spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    child.output = fdopen(pipe[0], "r");
    return child;
}

// Reads "key value" lines until the child closes its output, or until the key `until`.
void readResults(
    Child& child, std::map<std::string, std::vector<double>>& results, const char* until = nullptr)
{
    char line[256];
    while (std::fgets(line, sizeof line, child.output)) {
        char key[64];
        double value = 0;
        if (std::sscanf(line, "%63s %lf", key, &value) != 2)
            continue;
        results[key].push_back(value);
        if (until && std::strcmp(key, until) == 0)
            return;
    }
}

bool finish(Child& child)
{
    std::fclose(child.output);
    int status = 0;
    waitpid(child.pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Ends an idle child as a desktop session would, and says so if it does not stop.
void terminate(Child& child)
{
    std::fclose(child.output);
    ::kill(child.pid, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int wait = 0; wait < 300 && (ended = waitpid(child.pid, &status, WNOHANG)) == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ended == 0) {
        std::fprintf(stderr, "the program did not stop on SIGTERM within 3 s\n");
        ::kill(child.pid, SIGKILL);
        waitpid(child.pid, &status, 0);
    }
}

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
            if (line.startsWith("voluntary_ctxt_switches:")
                || line.startsWith("nonvoluntary_ctxt_switches:"))
                usage.switches += line.split(':').value(1).trimmed().toDouble();
        }
    }
    return usage;
}

// A row is met when its median is within the target; a timer's row only when every tick is.
struct Row {
    const char* what;
    const char* unit;
    double target;
    const char* targetText;
    bool everySample = false;
};

void printRow(const Row& row, std::vector<double> values, double scale = 1)
{
    if (values.empty()) {
        std::printf("| %s | no result | | | 0 | %s | |\n", row.what, row.targetText);
        return;
    }
    for (double& value : values)
        value *= scale;
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    const double judged = row.everySample ? std::max(-values.front(), values.back()) : median;
    std::printf("| %s | %.1f%s%s | %.1f | %.1f | %zu | %s | %s |\n", row.what, median,
        *row.unit ? " " : "", row.unit, values.front(), values.back(), values.size(),
        row.targetText, judged <= row.target ? "met" : "**missed**");
}

int parent(const std::string& sounds, int runs)
{
    std::map<std::string, std::vector<double>> results;
    std::fprintf(stderr, "start-up: %d runs\n", runs * 5);
    for (int run = 0; run < runs * 5; ++run) {
        const double spawned = nowMs();
        Child child = spawn({ "lottovox_bench", "--startup" });
        std::map<std::string, std::vector<double>> painted;
        readResults(child, painted);
        if (!finish(child) || painted["painted"].empty())
            return failed("the program did not start");
        results["startup"].push_back(painted["painted"].front() - spawned);
    }

    for (int run = 0; run < runs; ++run) {
        std::fprintf(stderr, "calls, repeats and AutoPlay: run %d of %d\n", run + 1, runs);
        Child child = spawn({ "lottovox_bench", "--session", sounds });
        readResults(child, results);
        if (!finish(child))
            return 1;
    }

    for (const bool paused : { false, true }) {
        for (int run = 0; run < runs; ++run) {
            std::fprintf(stderr, "idle %s: run %d of %d\n",
                paused ? "with AutoPlay paused" : "after start-up", run + 1, runs);
            Child child = spawn({ "lottovox_bench", paused ? "--idle-paused" : "--idle", sounds });
            std::map<std::string, std::vector<double>> ready;
            readResults(child, ready, "ready");
            if (ready["ready"].empty())
                return failed("the program did not come to rest");
            const Usage before = usageOf(child.pid);
            std::this_thread::sleep_for(std::chrono::seconds(10));
            const Usage after = usageOf(child.pid);
            terminate(child);
            const std::string key = paused ? "idle_paused" : "idle_start";
            results[key + "_cpu"].push_back((after.cpuNs - before.cpuNs) / 1e6);
            results[key + "_wakeups"].push_back(after.switches - before.switches);
        }
    }

    std::printf("| measurement | median | min | max | samples | target | |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    printRow({ "cold start: new process to the main window's first frame", "ms", 250, "≤ 250 ms" },
        results["startup"]);
    printRow({ "Next Number press to the call label painted", "ms", 16, "≤ 16 ms" },
        results["press_to_label"]);
    printRow(
        { "press to the letter file's first sample handed to the device", "ms", 30, "≤ 30 ms" },
        results["press_to_first_sample"]);
    printRow(
        { "playback overhead: time in the player minus the clip's length", "ms", 60, "≤ 60 ms" },
        results["playback_overhead"]);
    printRow({ "repeat start after the announcement ended: error against 1000 ms", "ms", 20,
                 "every one within ±20 ms", true },
        results["repeat_error"]);
    printRow({ "AutoPlay ticks: error against the 5000 ms schedule", "ms", 20,
                 "every one within ±20 ms", true },
        results["autoplay_error"]);
    printRow({ "idle 10 s after start-up: CPU time", "ms", 10, "~0 (≤ 10 ms)" },
        results["idle_start_cpu"]);
    printRow({ "idle 10 s after start-up: context switches", "", 10, "~0 (≤ 10)" },
        results["idle_start_wakeups"]);
    printRow({ "idle 10 s, AutoPlay paused after a call: CPU time", "ms", 10, "~0 (≤ 10 ms)" },
        results["idle_paused_cpu"]);
    printRow({ "idle 10 s, AutoPlay paused after a call: context switches", "", 10, "~0 (≤ 10)" },
        results["idle_paused_wakeups"]);
    printRow({ "peak resident memory after calls and AutoPlay", "MB", 60, "≤ 60 MB" },
        results["peak_rss_kib"], 1.0 / 1024);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--startup")
        return startupChild(argc, argv);
    if (argc < 3 && mode.rfind("--", 0) == 0) {
        std::fprintf(stderr, "%s needs the voice folder\n", mode.c_str());
        return 2;
    }
    if (mode == "--session" || mode == "--idle" || mode == "--idle-paused") {
        QApplication application(argc, argv);
        installFontSubstitutes();
        const QString sounds = QString::fromLocal8Bit(argv[2]);
        if (mode == "--session")
            return sessionChild(sounds, 5, 5);
        return idleChild(sounds, mode == "--idle-paused");
    }
    if (mode.empty() || !QFileInfo(QString::fromLocal8Bit(argv[1])).isDir()) {
        std::fprintf(stderr, "usage: %s SOUNDS_FOLDER [runs]\n", argv[0]);
        return 2;
    }
    return parent(argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : 3);
}
