#include "audio/playertest.h"
#include "calling/audio/sdlsoundplayer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

TEST_F(SdlSoundPlayerTest, PlaysTheWholeClipInRealTimeAndStopsTheDevice)
{
    const QByteArray clip = tone(Mono16, 0.3);
    const QString path = writeWave("26.wav", Mono16, clip);
    SdlSoundPlayer player;

    const auto start = Clock::now();
    ASSERT_TRUE(player.playSync(path));
    const qint64 elapsed = millisecondsSince(start);

    // 300 ms of sound; how little the player adds to it is scripts/bench's to measure.
    EXPECT_GE(elapsed, 300);
    RecordProperty("overheadMs", int(elapsed - 300));
    EXPECT_TRUE(deviceClosesSoon()) << "the device was left open";
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
}

TEST_F(SdlSoundPlayerTest, LastsAsLongAsTheClipWhenTheDriverTakesSamplesFaster)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "SDL's getenv on Windows answers every variable in one buffer, and the disk "
                    "driver, asking for its delay after its file, would write to a file named 0";
#endif
    // Without its delay the disk driver takes buffers as fast as they come, as some real
    // drivers do with their first few.
    qputenv("SDL_DISKAUDIODELAY", "0");
    const QByteArray clip = tone(Mono16, 0.3);
    const QString path = writeWave("52.wav", Mono16, clip);
    SdlSoundPlayer player;

    const auto start = Clock::now();
    EXPECT_TRUE(player.playSync(path));
    EXPECT_GE(millisecondsSince(start), 300);
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
}


// An announcement goes through one device, the files back to back with nothing added between
// them; the disk driver starts its file afresh for every device, so both are only there together
// if one device played them.
TEST_F(SdlSoundPlayerTest, PlaysAnAnnouncementThroughOneDeviceWithNothingBetweenTheFiles)
{
    const QByteArray letter = tone(Mono16, 0.2);
    const QByteArray number = tone(Mono16, 0.3).mid(2000);
    const QStringList files = { writeWave("B.wav", Mono16, letter), dir.filePath("missing.wav"),
        writeWave("12.wav", Mono16, number) };
    SdlSoundPlayer player;

    const auto start = Clock::now();
    player.playSequence(files);
    EXPECT_GE(millisecondsSince(start), clipDuration(Mono16, letter + number).count());
    EXPECT_TRUE(playedAlone(deviceOutput(), letter + number, 0));
}

// Files of different formats in one announcement: the output takes the highest rate and the
// most channels, and a file already in that format goes through unchanged.
TEST_F(SdlSoundPlayerTest, ConvertsTheFilesOfAnAnnouncementToOneFormat)
{
    constexpr PcmFormat Stereo44 { 2, 44100, 16 };
    const QByteArray letter = tone({ 1, 11025, 8 }, 0.2);
    const QByteArray number = tone(Stereo44, 0.3);
    SdlSoundPlayer player;

    player.playSequence({ writeWave("O.wav", { 1, 11025, 8 }, letter), writeWave("70.wav", Stereo44, number) });

    const QByteArray output = deviceOutput();
    const qsizetype at = output.indexOf(number);
    ASSERT_GE(at, 0) << "the number was not played unchanged, " << output.size() << " bytes";
    const QByteArrayView before = QByteArrayView(output).first(at);
    const auto firstSound = std::find_if(before.begin(), before.end(), [](char byte) { return byte != 0; });
    const double letterSeconds = double(before.end() - firstSound) / Stereo44.frameSize() / Stereo44.rate;
    EXPECT_NEAR(letterSeconds, 0.2, 0.002) << "the letter was not converted to 44.1 kHz stereo";
    EXPECT_TRUE(std::all_of(QByteArrayView(output).sliced(at + number.size()).begin(), output.cend(),
        [](char byte) { return byte == 0; }));
}

TEST_F(SdlSoundPlayerTest, StartsSdlOnFirstPlayAndStopsItWithThePlayer)
{
    const QString path = writeWave("3.wav", Mono16, tone(Mono16, 0.05));
    {
        useDriver("nonexistent");
        SdlSoundPlayer player;
        useDriver("disk");
        EXPECT_TRUE(player.playSync(path)) << "SDL was started before the first play";
    }
    // Had the first player left SDL's audio running, this one would share its disk driver.
    useDriver("nonexistent");
    SdlSoundPlayer later;
    EXPECT_FALSE(later.playSync(path)) << "SDL audio outlived its player";
}

// SDL's audio starts its event subsystem, which by default takes SIGINT and SIGTERM to queue
// quit events that nobody here reads: the desktop could no longer end the program.
TEST_F(SdlSoundPlayerTest, LeavesInterruptAndTerminateSignalsAsTheyWere)
{
    const auto handlers = [] {
        std::vector<void (*)(int)> found;
        for (const int number : { SIGINT, SIGTERM }) {
            const auto handler = std::signal(number, SIG_DFL);
            std::signal(number, handler);
            found.push_back(handler);
        }
        return found;
    };
    const auto before = handlers();
    const QString path = writeWave("4.wav", Mono16, tone(Mono16, 0.05));
    SdlSoundPlayer player;
    ASSERT_TRUE(player.playSync(path));
    EXPECT_EQ(handlers(), before);
}

// Stretches of sound in 16-bit mono: where the level stays above a tenth of the loudest tone
// here, joining dips shorter than 2 ms (a tone's zero crossings). Start and end in samples.
struct Stretch {
    qsizetype start;
    qsizetype end;
    int crossings = 0;
};

std::vector<Stretch> soundIn(const QByteArray& recording, int rate)
{
    const auto sample = [&](qsizetype i) { return qFromLittleEndian<qint16>(recording.constData() + 2 * i); };
    std::vector<Stretch> found;
    const qsizetype count = recording.size() / 2;
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(sample(i)) < 1000)
            continue;
        if (!found.empty() && i - found.back().end < rate / 500)
            found.back().end = i + 1;
        else
            found.push_back({ i, i + 1 });
    }
    for (Stretch& stretch : found) {
        for (qsizetype i = stretch.start + 1; i < stretch.end; ++i)
            stretch.crossings += (sample(i - 1) < 0) != (sample(i) < 0);
    }
    return found;
}

// Run by soundserver_test.sh against a PulseAudio daemon of its own, whose null sink (48 kHz
// mono) it names in LOTTOVOX_MONITOR: letter and number, in two formats, go through the real
// server, and the sink's monitor must hear both whole, in order, with the silence the files hold.
TEST(SoundServer, AnnouncementArrivesWholeInOrderWithTheSilenceTheFilesHold)
{
    const QString monitor = qEnvironmentVariable("LOTTOVOX_MONITOR");
    if (monitor.isEmpty())
        GTEST_SKIP() << "needs the PulseAudio daemon that soundserver_test.sh starts";
    QTemporaryDir dir;
    constexpr PcmFormat Stereo44 { 2, 44100, 16 };
    const QString letter = dir.filePath("G.wav");
    const QString number = dir.filePath("47.wav");
    // 40 ms of silence at the end of the letter, 30 ms at the start of the number.
    writeFile(letter, wave(Mono16, tone(Mono16, 0.25) + QByteArray(882 * 2, '\0')));
    writeFile(number, wave(Stereo44, QByteArray(1323 * 4, '\0') + tone(Stereo44, 0.3, 880)));

    const QString recordingPath = dir.filePath("monitor.raw");
    QProcess recorder;
    recorder.setStandardOutputFile(recordingPath);
    recorder.start("parec", { "--device=" + monitor, "--raw", "--format=s16le", "--rate=48000",
                                "--channels=1", "--latency-msec=10" });
    ASSERT_TRUE(recorder.waitForStarted());
    std::this_thread::sleep_for(300ms);
    SdlSoundPlayer player;
    player.playSequence({ letter, number });
    std::this_thread::sleep_for(200ms);
    recorder.terminate();
    ASSERT_TRUE(recorder.waitForFinished());

    QFile recording(recordingPath);
    ASSERT_TRUE(recording.open(QIODevice::ReadOnly));
    const std::vector<Stretch> heard = soundIn(recording.readAll(), 48000);
    const auto ms = [](qsizetype samples) { return samples / 48.0; };
    const auto described = [&] {
        std::string text;
        // Characters, not one-letter strings, before the temporaries: GCC 12 at -O3 takes a
        // string literal prepended to one for an overlapping copy and warns.
        for (const Stretch& stretch : heard)
            text += ' ' + std::to_string(ms(stretch.start)) + '-' + std::to_string(ms(stretch.end)) + " ms";
        return text;
    };
    ASSERT_EQ(heard.size(), 2u) << "expected the letter and the number, each in one piece; heard" << described();
    const auto hertz = [&](const Stretch& s) { return s.crossings / 2.0 / (ms(s.end - s.start) / 1000); };
    EXPECT_NEAR(ms(heard[0].end - heard[0].start), 250, 4) << "the letter";
    EXPECT_NEAR(hertz(heard[0]), 440, 10) << "the letter";
    EXPECT_NEAR(ms(heard[1].end - heard[1].start), 300, 4) << "the number";
    EXPECT_NEAR(hertz(heard[1]), 880, 20) << "the number";
    EXPECT_NEAR(ms(heard[1].start - heard[0].end), 70, 5) << "the silence between them";
    RecordProperty("heard", described());
}


} // namespace
