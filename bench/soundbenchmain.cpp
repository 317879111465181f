// Measures calls through a real sound server: the program as main.cpp composes it (offscreen),
// the SDL player on whichever driver SDL_AUDIODRIVER names, the server's sink recorded through
// its monitor and its new clients counted; or the whole program's memory over many calls.
// scripts/bench --sound-servers starts the servers and runs it; it prints rows of the Markdown
// table.
//
//   lottovox_soundbench calls LABEL VOICES CALLS RATE RECORD-COMMAND EVENTS-COMMAND
//       at-sink|cycle-late MEDIAN-TARGET-MS MAX-TARGET-MS
//   lottovox_soundbench memory LABEL CALLS

#include "app/lottovox.h"
#include "bench/announcementmatch.h"
#include "bench/clientcount.h"
#include "bench/clock.h"
#include "bench/commandoutput.h"
#include "bench/procstatus.h"
#include "bench/timedplayer.h"
#include "calling/audio/sdlsoundplayer.h"
#include "ui/desktop/desktopbrowser.h"
#include "ui/desktop/qttimer.h"
#include "ui/desktop/qtyesnobox.h"
#include "ui/frmbingo.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// A file's samples as the sink holds them: 16-bit mono at its rate.
QByteArray sinkSamples(const QString& path, int rate)
{
    SDL_AudioSpec spec;
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(QFile::encodeName(path).constData(), &spec, &raw, &length))
        return {};
    SDL_AudioCVT conversion;
    QByteArray samples;
    if (SDL_BuildAudioCVT(&conversion, spec.format, spec.channels, spec.freq, AUDIO_S16LSB, 1, rate) >= 0) {
        samples = QByteArray(qsizetype(length) * std::max(conversion.len_mult, 1), '\0');
        std::memcpy(samples.data(), raw, length);
        conversion.buf = reinterpret_cast<Uint8*>(samples.data());
        conversion.len = int(length);
        if (conversion.needed && SDL_ConvertAudio(&conversion) == 0)
            samples.truncate(conversion.len_cvt);
        else
            samples.truncate(length);
    }
    SDL_FreeWAV(raw);
    return samples;
}

// A row of the table; with no verdict, a measurement shown for what it tells, without a target.
void row(const std::string& what, const char* unit, std::vector<double> values, const std::string& target,
    std::optional<bool> met)
{
    const char* verdict = !met ? "" : *met ? "met" : "**missed**";
    if (values.empty()) {
        std::printf("| %s | no result | | | 0 | %s | %s |\n", what.c_str(), target.c_str(), met ? "**missed**" : "");
        return;
    }
    std::sort(values.begin(), values.end());
    // Megabytes to the ten kilobytes: a target of 0.2 MB needs the second decimal.
    const int decimals = std::strcmp(unit, "MB") == 0 ? 2 : 1;
    std::printf("| %s | %.*f%s%s | %.*f | %.*f | %zu | %s | %s |\n", what.c_str(), decimals,
        values[values.size() / 2], *unit ? " " : "", unit, decimals, values.front(), decimals, values.back(),
        values.size(), target.c_str(), verdict);
    std::fflush(stdout);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// How the recording relates to what the sink plays.
enum class Monitor {
    // Heard as the sink plays it (PulseAudio's monitor).
    AtSink,
    // One cycle of the server's graph late: PipeWire's monitor hands what the sink took in one
    // cycle to the recorder in the next.
    CycleLate,
};

// What a host should hear: the first sound within these, median and slowest (0: no target).
struct Targets {
    int medianMs;
    int maxMs;
};

int calls(const std::string& label, const QString& voices, int count, int rate,
    const std::string& recordCommand, const std::string& eventsCommand, Monitor monitor, Targets targets)
{
    CommandOutput events(eventsCommand);
    CommandOutput recorder(recordCommand);
    if (!events.started() || !recorder.started()) {
        std::fprintf(stderr, "lottovox_soundbench: could not start the recorder or the monitor\n");
        return 1;
    }
    // Recording, with a second of the sink's silence in hand, and the monitor has listed the
    // clients already there.
    for (int wait = 0; wait < 100 && recorder.bytes().size() < 2 * rate; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const QByteArray eventsBefore = events.bytes();

    TimedPlayer player;
    QtYesNoBox confirmation;
    DesktopBrowser browser;
    Lottovox program(Platform { player, confirmation, browser, RandomSource::clockSeed,
        [voices] { return voices; },
        [](int milliseconds, QObject* owner) { return std::make_unique<QtTimer>(milliseconds, owner); } });
    program.show();
    // Next Number comes back as the repeat ends; the matching needs 400 ms of quiet between
    // announcements.
    const auto settle = [&] {
        while (!program.form().cmdNextNumber->isEnabled() || program.tmrRepeatTimer().isActive())
            QTest::qWait(10);
        QTest::qWait(600);
    };

    std::vector<double> presses;
    std::vector<ExpectedAnnouncement> expected;
    for (int call = 0; call < count; ++call) {
        settle();
        presses.push_back(monotonicMs());
        program.form().cmdNextNumber->click();
        const mdlPublic& shared = program.shared();
        const ExpectedAnnouncement announcement { sinkSamples(shared.SoundPath + shared.CallLetter + ".wav", rate),
            sinkSamples(shared.SoundPath + shared.CallText + ".wav", rate) };
        // The call, then its repeat.
        expected.push_back(announcement);
        expected.push_back(announcement);
    }
    settle();
    QTest::qWait(500);
    recorder.stop();
    events.stop();

    const QByteArray recording = recorder.bytes();
    // For a closer look at a damaged clip.
    if (const QString keep = qEnvironmentVariable("LOTTOVOX_KEEP_RECORDING"); !keep.isEmpty()) {
        QFile file(keep);
        if (file.open(QIODevice::WriteOnly))
            file.write(recording);
    }
    const std::vector<HeardAnnouncement> heard = matchAnnouncements(recording, rate, expected);
    // When each announcement returned: from then on the program counts the second before the
    // repeat.
    std::vector<double> returned;
    for (const TimedPlayer::Play& play : player.log)
        returned.push_back(play.end);
    std::vector<double> firstSample;
    std::vector<double> firstSound;
    std::vector<double> addedSilence;
    std::vector<double> returnAfterEnd;
    const double bytesPerMs = 2.0 * rate / 1000;
    const double cycleMs = monitor == Monitor::CycleLate ? double(recorder.medianPieceBytes()) / bytesPerMs : 0;
    // When the sample at this index passed the sink.
    const auto atSink = [&](qsizetype sample) { return recorder.sampleClockMs(2 * sample, bytesPerMs) - cycleMs; };
    int damaged = 2 * int(expected.size() - heard.size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
        damaged += !heard[i].letterWhole + !heard[i].numberWhole;
        if (!heard[i].letterWhole || !heard[i].numberWhole)
            std::fprintf(stderr, "%s: announcement %zu at %.3f s: letter %s, number %s\n", label.c_str(), i + 1,
                double(heard[i].letterAt) / rate, heard[i].letterWhole ? "whole" : "damaged",
                heard[i].numberWhole ? "whole" : "damaged");
        // When the letter file's first sample passed the sink, silent or not, and so which
        // announcement this was: the first to return after that (one lost would shift the count).
        const double began = atSink(heard[i].letterAt);
        const std::size_t k = std::size_t(
            std::lower_bound(returned.begin(), returned.end(), began) - returned.begin());
        if (k >= returned.size())
            continue;
        if (heard[i].letterWhole && heard[i].numberWhole) {
            addedSilence.push_back(heard[i].addedSilenceMs);
            returnAfterEnd.push_back(returned[k] - atSink(heard[i].numberEnd));
        }
        if (k % 2 == 0) {
            firstSample.push_back(began - presses[k / 2]);
            firstSound.push_back(atSink(heard[i].soundAt) - presses[k / 2]);
        }
    }
    const int clips = 2 * int(expected.size());
    const int clients = newClients(eventsBefore, events.bytes());

    const auto maxAbs = [](const std::vector<double>& values) {
        double worst = 0;
        for (const double value : values)
            worst = std::max(worst, std::abs(value));
        return worst;
    };
    if (monitor == Monitor::CycleLate)
        row(label + ": the graph's cycle, taken off the monitor's timings", "ms", { cycleMs }, "", {});
    // Beyond a period or two, the recorder lost samples itself: the timings after the loss come
    // out early and the clips around it damaged, whatever the sink played.
    row(label + ": the recording's shortfall against the wall clock", "ms", { recorder.shortfallMs(bytesPerMs) },
        "", {});
    if (targets.medianMs > 0) {
        row(label + ": press to the first sound at the sink", "ms", firstSound,
            "median ≤ " + std::to_string(targets.medianMs) + " ms, max ≤ " + std::to_string(targets.maxMs) + " ms",
            !firstSound.empty() && median(firstSound) <= targets.medianMs
                && *std::max_element(firstSound.begin(), firstSound.end()) <= targets.maxMs);
    } else {
        row(label + ": press to the first sound at the sink", "ms", firstSound, "", {});
    }
    row(label + ": press to the letter file's first sample at the sink", "ms", firstSample, "", {});
    row(label + ": silence added between letter and number", "ms", addedSilence, "every one ≤ 5 ms",
        !addedSilence.empty() && maxAbs(addedSilence) <= 5);
    row(label + ": the player's return after the announcement's last sample at the sink", "ms", returnAfterEnd,
        "every one within ±20 ms", !returnAfterEnd.empty() && maxAbs(returnAfterEnd) <= 20);
    // SDL's audio start opens one more, for its device list.
    std::printf("| %s: sound-server connections | %d for %zu announcements | | | 1 | one per announcement, "
                "one more when SDL's audio starts | %s |\n",
        label.c_str(), clients, expected.size(), clients <= int(expected.size()) + 1 ? "met" : "**missed**");
    std::printf("| %s: clips damaged (holes, cuts) | %d of %d | | | %d | 0 | %s |\n", label.c_str(), damaged,
        clips, clips, damaged == 0 ? "met" : "**missed**");
    return 0;
}

// The whole program as in the calls, a host calling one number after another, each with its
// repeat, and starting a new game whenever one is over, answering Yes in the program's box. Its voice files are 20 ms tones and its
// timers run out in 5 ms, so that hundreds of calls take a minute or so; resident memory after
// calls 10 and 100 against after the last.
int memory(const std::string& label, int count)
{
    QTemporaryDir dir;
    const auto toneFile = [&](const QString& name, double hertz) {
        QByteArray samples;
        for (int i = 0; i < 22050 / 50; ++i) {
            char bytes[2];
            qToLittleEndian(qint16(std::lround(8000 * std::sin(2 * std::numbers::pi * hertz * i / 22050))), bytes);
            samples.append(bytes, 2);
        }
        QByteArray header("RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data....", 44);
        qToLittleEndian(quint32(36 + samples.size()), header.data() + 4);
        qToLittleEndian(quint32(samples.size()), header.data() + 40);
        QFile file(dir.filePath(name + ".wav"));
        return file.open(QIODevice::WriteOnly) && file.write(header + samples) == header.size() + samples.size();
    };
    bool written = true;
    for (const QString letter : { "B", "I", "N", "G", "O" })
        written = toneFile(letter, 440) && written;
    for (int number = 1; number <= 90; ++number)
        written = toneFile(QString::number(number), 660) && written;
    if (!written) {
        std::fprintf(stderr, "lottovox_soundbench: could not write the tones\n");
        return 1;
    }

    SdlSoundPlayer player;
    QtYesNoBox confirmation;
    DesktopBrowser browser;
    Lottovox program(Platform { player, confirmation, browser, RandomSource::clockSeed,
        [&dir] { return dir.path(); },
        [](int milliseconds, QObject* owner) { return std::make_unique<QtTimer>(std::min(milliseconds, 5), owner); } });
    program.show();
    std::map<int, qint64> residentKiB;
    for (int call = 1; call <= count; ++call) {
        QPushButton& next = *program.form().cmdNextNumber;
        while (!next.isEnabled() || program.tmrRepeatTimer().isActive())
            QTest::qWait(1);
        if (!program.state().NewGame && program.state().CallCount >= program.shared().BingoMode) {
            QTimer answer;
            QObject::connect(&answer, &QTimer::timeout, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->button(QMessageBox::Yes)->click();
            });
            answer.start(1);
            // The menu item's routine runs from the event loop, so the box is answered there.
            program.form().mnuNewGame->trigger();
            while (!program.state().NewGame)
                QTest::qWait(1);
        }
        next.click();
        if (call == 10 || call == 100 || call == count)
            residentKiB[call] = statusKiB("VmRSS");
    }
    const auto growth = [&](int from) {
        const double megabytes = double(residentKiB[count] - residentKiB[from]) / 1024;
        row(label + ": resident memory growth from call " + std::to_string(from) + " to " + std::to_string(count)
                + " (" + QString::number(residentKiB[count] / 1024.0, 'f', 1).toStdString() + " MB at the last)",
            "MB", { megabytes }, from == 10 ? "≤ 1 MB" : "≤ 0.2 MB", megabytes <= (from == 10 ? 1 : 0.2));
    };
    growth(100);
    growth(10);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string monitor = argc > 8 ? argv[8] : "";
    if (mode == "calls" && argc == 11 && (monitor == "at-sink" || monitor == "cycle-late")) {
        QApplication application(argc, argv);
        return calls(argv[2], QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
            argv[6], argv[7], monitor == "at-sink" ? Monitor::AtSink : Monitor::CycleLate,
            { std::atoi(argv[9]), std::atoi(argv[10]) });
    }
    if (mode == "memory" && argc == 4) {
        QApplication application(argc, argv);
        return memory(argv[2], std::atoi(argv[3]));
    }
    std::fprintf(stderr,
        "usage: %s calls LABEL VOICES CALLS RATE RECORD-COMMAND EVENTS-COMMAND at-sink|cycle-late"
        " MEDIAN-TARGET-MS MAX-TARGET-MS\n"
        "       %s memory LABEL CALLS\n",
        argv[0], argv[0]);
    return 2;
}
