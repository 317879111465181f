#include "audio/playertest.h"
#include "audio/wavetable.h"
#include "calling/audio/clipreader.h"
#include "calling/audio/pathbytes.h"
#include "calling/audio/sdlsoundplayer.h"

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

TEST_F(SdlSoundPlayerTest, PlaysEachFormatUnchanged)
{
    const PcmFormat formats[] = {
        Mono16,
        { 1, 11025, 8 },
        { 2, 44100, 16 },
        { 2, 48000, 32 },
        { 1, 8000, 8 },
        { 2, 192000, 16 },
    };
    SdlSoundPlayer player;
    for (const PcmFormat& format : formats) {
        SCOPED_TRACE(testing::Message() << format.channels << " channels, " << format.rate
                                        << " Hz, " << format.bits << " bits");
        const QByteArray clip = tone(format, 0.5);
        const QString path = writeWave("clip.wav", format, clip);
        const auto start = Clock::now();
        EXPECT_TRUE(player.playSync(path));
        // The clip holds the call as long as it plays.
        EXPECT_GE(millisecondsSince(start), clipDuration(format, clip).count());
        EXPECT_TRUE(playedAlone(deviceOutput(), clip, format.silence()));
    }
}

TEST_F(SdlSoundPlayerTest, PlaysFromPathsWithSpacesAndNonAsciiCharacters)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Rufe für Bingo ñ")));
    const QByteArray clip = tone(Mono16, 0.1);
    const QString path
        = writeWave(QStringLiteral("Rufe für Bingo ñ/zwei und sechs – 二十六.wav"), Mono16, clip);

    SdlSoundPlayer player;
    EXPECT_TRUE(player.playSync(path));
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));

    // Windows names files in UTF-16, which the name above already is.
#ifndef Q_OS_WIN
    // A folder named in Latin-1, as an old archive or another system leaves it: not UTF-8.
    const QByteArray folder = QFile::encodeName(dir.path()) + "/Stimmen f\xfcr Bingo \xff";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    const QString latin1 = pathFromBytes(folder) + "/9.wav";
    ASSERT_EQ(bytesFromPath(latin1), folder + "/9.wav");
    const QByteArray bytes = wave(Mono16, clip);
    std::FILE* file = std::fopen(folder + "/9.wav", "wb");
    ASSERT_TRUE(file);
    EXPECT_EQ(std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file), std::size_t(bytes.size()));
    std::fclose(file);
    QFile::remove(devicePath());
    EXPECT_TRUE(player.playSync(latin1));
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
#endif
}

// Sloppy files that real recorders write give what they hold; what cannot be played gives
// nothing.
TEST(ClipReader, TakesSloppyFilesAndRefusesBadOnes)
{
    for (const WaveCase& file : waveCases()) {
        SCOPED_TRACE(file.what);
        const std::optional<Clip> clip
            = readClip(file.bytes.size(), [&file](qint64 count) { return file.bytes.left(count); });
        if (file.heard.isEmpty()) {
            EXPECT_FALSE(clip.has_value());
        } else {
            ASSERT_TRUE(clip.has_value());
            EXPECT_EQ(clip->samples, file.heard);
        }
    }

    // A file far too long to be a call is refused from its header: its samples are not read.
    constexpr qint64 size = 64 * 1024 * 1024;
    const QByteArray header = riffWave(formatChunk(Mono16) + chunk("data", {}, size));
    qint64 longestRead = 0;
    EXPECT_FALSE(readClip(header.size() + size, [&](qint64 count) {
        longestRead = std::max(longestRead, count);
        return header.left(count) + QByteArray(std::max(count - header.size(), qint64(0)), '\0');
    }).has_value());
    EXPECT_LT(longestRead, size / 4);
}

// Through the player: a sloppy file is heard as it holds, and what cannot be played (a bad
// file, or what is not a file) is passed over without opening the device.
TEST_F(SdlSoundPlayerTest, PlaysSloppyFilesAndPassesOverBadOnesWithoutOpeningTheDevice)
{
    struct Case {
        std::string what;
        QString name;
        std::function<void(const QString& path)> create;
        QByteArray heard = {}; // nothing: passed over
    };
    std::vector<Case> cases;
    // Two sloppy files heard and a bad one that would be minutes of sound: the reader's test
    // above takes the rest of the table.
    const QStringList throughTheDevice = { "truncated.wav", "stream.wav", "1hz.wav" };
    for (const WaveCase& file : waveCases()) {
        if (throughTheDevice.contains(file.name)) {
            cases.push_back({ file.what, file.name,
                [bytes = file.bytes](const QString& path) { writeFile(path, bytes); }, file.heard });
        }
    }
    ASSERT_EQ(cases.size(), std::size_t(throughTheDevice.size()));
    // What is not a file, or too big for a table of bytes.
    cases.insert(cases.end(), {
        { "missing file", "missing.wav", [](const QString&) {} },
        { "directory", "5.wav", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); } },
#ifndef Q_OS_WIN
        // Opening a FIFO for reading blocks until a writer comes: this must not hang.
        { "FIFO", "7.wav",
            [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); } },
#endif
        { "valid file of 64 MiB", "huge.wav",
            [](const QString& path) {
                constexpr quint32 size = 64 * 1024 * 1024;
                writeFile(path, riffWave(formatChunk(Mono16) + chunk("data", {}, size)));
                ASSERT_TRUE(QFile::resize(path, 44 + size));
            } },
    });
    // Root reads anything, so this case only means something for other users; Windows has no
    // permission bits Qt could take away.
#ifndef Q_OS_WIN
    if (::geteuid() != 0) {
        cases.push_back({ "unreadable file", "locked.wav", [](const QString& path) {
                             writeFile(path, wave(Mono16, tone(Mono16, 0.1)));
                             ASSERT_TRUE(QFile::setPermissions(path, {}));
                         } });
    }
#endif

    SdlSoundPlayer player;
    for (const Case& file : cases) {
        SCOPED_TRACE(file.what);
        const QString path = dir.filePath(file.name);
        file.create(path);
        QFile::remove(devicePath());
        const bool played = player.playSync(path);
        if (file.heard.isEmpty()) {
            EXPECT_FALSE(played);
            EXPECT_FALSE(QFile::exists(devicePath()));
        } else {
            EXPECT_TRUE(played);
            EXPECT_TRUE(playedAlone(deviceOutput(), file.heard, 0));
        }
    }
}

// The player may be called from any thread, and SDL reads the files on the player's own: the
// error message SDL keeps per thread for a file it refuses would otherwise stay behind with
// each calling thread that ends, which the sanitizers' leak check at the end of the run shows.
TEST_F(SdlSoundPlayerTest, ReadsFilesOnItsOwnThreadWhicheverThreadCalls)
{
    const QString good = writeWave("6.wav", Mono16, tone(Mono16, 0.1));
    const QString refused = dir.filePath("mpeg.wav");
    writeFile(refused, riffWave(formatChunk(Mono16, 0x0055) + chunk("data", tone(Mono16, 0.1))));
    SdlSoundPlayer player;
    for (const QString& path : { refused, good, refused, refused }) {
        bool heard = false;
        std::thread caller([&] { heard = player.playSync(path); });
        caller.join();
        EXPECT_EQ(heard, path == good);
    }
}

} // namespace
