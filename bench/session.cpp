#include "bench/session.h"

#include "bench/benchprogram.h"
#include "bench/childprocess.h"
#include "bench/clock.h"
#include "bench/firstsample.h"
#include "bench/procstatus.h"
#include "bench/waiter.h"
#include "ui/frmbingo.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include <SDL.h>

#include <cstdio>

namespace {

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

} // namespace

bool measureSession(const std::string& sounds, int runs, Results& results)
{
    for (int run = 0; run < runs; ++run) {
        std::fprintf(stderr, "calls, repeats and AutoPlay: run %d of %d\n", run + 1, runs);
        ChildProcess child(ThisProgram, { "lottovox_bench", SessionFlag, sounds });
        readResults(child.output(), results);
        if (!child.finish())
            return false;
    }
    return true;
}

int sessionChild(const QString& sounds, int manualCalls, int autoPlayTicks)
{
    BenchProgram p(sounds);
    EnabledWatch watch;
    p.form().cmdNextNumber->installEventFilter(&watch);
    StampedTimer& repeat = p.timer(p.lottovox.tmrRepeatTimer());
    StampedTimer& autoPlay = p.timer(p.lottovox.tmrAutoplay());

    const auto settled = [&] { return p.nextEnabled() && !repeat.isActive(); };
    for (int call = 0; call < manualCalls; ++call) {
        if (!waiter().until(settled, 10000))
            return failed("Next Number did not come back");
        waiter().pause(300);
        const std::size_t firstPlay = p.player.log.size();
        watchForFirstSample();
        const double pressed = monotonicMs();
        p.click(p.form().cmdNextNumber);
        const double handedOver = firstSampleHandedOver();
        if (p.player.log.size() < firstPlay + 1 || p.player.log[firstPlay].paths.size() < 2)
            return failed("the call was not played: is the voice folder right?");
        // Call_Out repaints the label and returns from that before it plays the first file.
        report("press_to_label", p.player.log[firstPlay].start - pressed);
        if (handedOver > pressed)
            report("press_to_first_sample", handedOver - pressed);
        for (std::size_t i = firstPlay; i < p.player.log.size(); ++i) {
            const TimedPlayer::Play& play = p.player.log[i];
            double sound = 0;
            for (const QString& path : play.paths)
                sound += clipMs(path);
            report("playback_overhead", play.end - play.start - sound);
        }
        const double announced = p.player.log.back().end;
        if (!waiter().until([&] { return !repeat.ticks.empty(); }, 5000))
            return failed("the call was not repeated");
        report("repeat_error", repeat.ticks.front() - announced - repeat.interval());
    }

    // The shortest AutoPlay period, without the repeat's allowance.
    if (!waiter().until(settled, 10000))
        return failed("Next Number did not come back");
    p.click(p.form().chkRepeat);
    p.click(p.form().chkAutoPlay);
    p.click(p.form().optSeconds(2));
    const int period = autoPlay.interval();
    if (!waiter().until([&] { return int(autoPlay.ticks.size()) >= autoPlayTicks; }, period * (autoPlayTicks + 2)))
        return failed("AutoPlay did not call");
    for (std::size_t k = 0; k < autoPlay.ticks.size(); ++k)
        report("autoplay_error", autoPlay.ticks[k] - autoPlay.armed - double(period) * double(k + 1));
    p.click(p.form().chkAutoPlay);
    report("peak_rss_kib", double(statusKiB("VmHWM")));
    return 0;
}
