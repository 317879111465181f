#include "support/lottovoxfixture.h"

#include "calling/audio/pathbytes.h"
#include "calling/audio/sdlsoundplayer.h"
#include "ui/desktop/colours.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

using LongRun = LottovoxTest;

// 32767 requests at the shortest period take 45.5 hours; two days go well past that.
TEST_F(LongRun, AutoPlayForTwoDaysHoldsTheCountAtItsLimitAndCallsNothingMore)
{
    player.setDefaultDuration(0);
    click(form().chkRepeat);
    startAutoPlay();
    click(form().optSeconds(2));
    ASSERT_EQ(program->tmrAutoplay().interval(), 5000);
    const std::int64_t start = clock.now();
    constexpr std::int64_t Hour = 3'600'000;
    constexpr std::int64_t Limit = std::numeric_limits<std::int16_t>::max();
    for (int hour = 1; hour <= 48; ++hour) {
        clock.advance(Hour);
        const std::int64_t requests = (clock.now() - start) / 5000;
        ASSERT_EQ(state().CallCount, std::min(requests, Limit)) << "after " << hour << " hours";
    }
    EXPECT_EQ(markedSquares(), 75);
    EXPECT_EQ(player.log().size(), 2u * 75) << "a letter and a number for each call, then silence";
    EXPECT_TRUE(program->tmrAutoplay().isActive());

    answerNewGame(YesNoBox::Yes);
    pressNextNumber();
    EXPECT_EQ(state().CallCount, 1);
    EXPECT_EQ(markedSquares(), 1);
}

struct Voice {
    QByteArray samples;
    qint64 milliseconds = 0;
};

Voice voiceOf(const QString& path)
{
    SDL_AudioSpec spec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(QFile::encodeName(path).constData(), &spec, &samples, &length))
        return {};
    const QByteArray bytes(reinterpret_cast<const char*>(samples), qsizetype(length));
    SDL_FreeWAV(samples);
    const int frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    return { bytes, bytes.size() / frame * 1000 / spec.freq };
}

qint64 millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start)
        .count();
}

// The whole program with the real player: whatever is wrong with the sound, each call shows
// and the window is back at once.
TEST(RealPlayer, CallsShowAndTheWindowComesBackWhateverBecomesOfTheSound)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString voices = dir.filePath(QStringLiteral("Stimmen für Bingo – ñ"));
    ASSERT_TRUE(QDir().mkdir(voices));
    for (const QFileInfo& file : QDir(LOTTOVOX_VOICES).entryInfoList({ "*.wav" }))
        ASSERT_TRUE(QFile::copy(file.filePath(), voices + '/' + file.fileName()));
    // The same voices under a folder name that is not UTF-8 (Latin-1 "für").
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/Stimmen f\xfcr Bingo";
    ASSERT_EQ(::symlink(QFile::encodeName(voices).constData(), latin1.constData()), 0);
    const QString device = dir.filePath("device.raw");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(device));

    const struct {
        const char* what;
        QByteArray driver;
        QString folder;
        bool heard;
    } setups[] = {
        { "a voice folder that does not exist", "disk", dir.filePath("no voices"), false },
        { "no audio device at all", "nonexistent", voices, false },
        { "a voice folder with spaces and non-ASCII characters", "disk", voices, true },
        { "a voice folder whose name is not UTF-8", "disk", pathFromBytes(latin1), true },
    };
    for (const auto& setup : setups) {
        SCOPED_TRACE(setup.what);
        qputenv("SDL_AUDIODRIVER", setup.driver);
        QFile::remove(device);
        int number = 0;
        QString letter;
        qint64 elapsed = 0;
        {
            VirtualClock clock;
            SdlSoundPlayer player;
            FakeYesNoBox confirmation;
            FakeBrowser browser;
            Lottovox program(Platform { player, confirmation, browser,
                [] { return std::uint64_t { 7 }; }, [&setup] { return setup.folder; },
                [&clock](int milliseconds, QObject*) { return clock.makeTimer(milliseconds); } });

            const auto start = std::chrono::steady_clock::now();
            program.form().cmdNextNumber->click();
            elapsed = millisecondsSince(start);
            number = program.shared().CurrentNumber;
            letter = program.shared().CallLetter;
            EXPECT_EQ(program.form().lblCurrent_Call->text(),
                program.shared().CallLetter + ' ' + QString::number(number));
            EXPECT_EQ(backColor(program.form().lblCalled[number - 1]), Black);
            // The repeat goes through the same player; then the pacing delay gives the button back.
            clock.advance(2000);
            EXPECT_TRUE(program.form().cmdNextNumber->isEnabled());
        }

        // Gone, the player has closed its last device: only then is the disk driver's file whole.
        QFile output(device);
        const Voice spoken = voiceOf(voices + '/' + QString::number(number) + ".wav");
        ASSERT_FALSE(spoken.samples.isEmpty());
        if (setup.heard) {
            ASSERT_TRUE(output.open(QIODevice::ReadOnly));
            EXPECT_TRUE(output.readAll().contains(spoken.samples)) << "the number was not heard";
        } else {
            // Back before the call could have been spoken, let alone the player's deadline
            // after it: a margin no busy machine takes from a press that plays nothing.
            const qint64 call = voiceOf(voices + '/' + letter + ".wav").milliseconds + spoken.milliseconds;
            EXPECT_LT(elapsed, call) << "the window waited for a call nobody hears";
            EXPECT_FALSE(output.exists());
        }
    }
}

} // namespace
