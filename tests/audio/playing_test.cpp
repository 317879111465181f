#include "audio/playertest.h"
#include "calling/audio/sdloutput.h"
#include "calling/audio/sdlsoundplayer.h"
#include "calling/audio/soundthread.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <new>
#include <optional>
#include <thread>
#include <vector>

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
    // The device is closed after the call, not left open: deviceOutput() waits for it.
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

// An announcement longer than the margin a call has beyond its sound is heard whole: a call waits
// for its sound's length, whatever that is, and the margin after it.
TEST_F(SdlSoundPlayerTest, PlaysAnAnnouncementLongerThanTheMarginWhole)
{
    const QByteArray letter = tone(Mono16, 1.5);
    const QByteArray number = tone(Mono16, 2.5, 880);
    SdlSoundPlayer player;

    player.playSequence({ writeWave("G.wav", Mono16, letter), writeWave("55.wav", Mono16, number) });
    EXPECT_TRUE(playedAlone(deviceOutput(), letter + number, 0));
}

// SDL's description of the Mono16 samples, for tests that hand samples to the sound thread.
SDL_AudioSpec mono16Spec()
{
    SDL_AudioSpec format {};
    format.freq = int(Mono16.rate);
    format.format = AUDIO_S16LSB;
    format.channels = 1;
    return format;
}

// Whatever the sound thread meets while it makes an announcement ready (no memory for the
// samples, say) ends that call unheard, and the next is heard.
TEST_F(SdlSoundPlayerTest, AnAnnouncementThatThrowsIsNotHeardAndTheNextIs)
{
    const QByteArray clip = tone(Mono16, 0.2);
    const SDL_AudioSpec format = mono16Spec();
    SoundThread sound;

    EXPECT_EQ(sound.play([]() -> std::optional<PreparedSound> { throw std::bad_alloc(); }), 0);
    EXPECT_EQ(sound.play([&] { return PreparedSound { format, clip, 2 }; }), 2);
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
}

// An output that opens only once its call's deadline has passed (a server slow to answer) has a
// caller who gave up on it: it is never unpaused, and writes nothing but silence for as long as
// it stays open, here until it has written more than the whole clip.
TEST_F(SdlSoundPlayerTest, OutputOpenedPastItsDeadlineStaysSilent)
{
    const QByteArray clip = tone(Mono16, 0.1);
    const SDL_AudioSpec format = mono16Spec();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);

    std::unique_ptr<OpenOutput> output = playOut(format, clip, Clock::now());
    ASSERT_NE(output, nullptr);
    EXPECT_FALSE(output->heard);
    // Silence written for twice the clip's length: the device ran, paused.
    const auto givenUp = Clock::now() + std::chrono::seconds(5);
    while (QFileInfo(devicePath()).size() <= 2 * clip.size() && Clock::now() < givenUp)
        std::this_thread::yield();
    ASSERT_GT(QFileInfo(devicePath()).size(), 2 * clip.size()) << "the device wrote nothing";
    EXPECT_FALSE(closeOutput(std::move(output), Clock::now()));
    SDL_QuitSubSystem(SDL_INIT_AUDIO);

    const QByteArray written = deviceOutput();
    EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](char byte) { return byte == 0; }))
        << "the output sounded after its call gave up";
}

} // namespace
