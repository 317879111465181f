#include "calling/pathbytes.h"
#include "calling/sdlsoundplayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <functional>
#include <numbers>
#include <optional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

struct PcmFormat {
    quint16 channels;
    quint32 rate;
    quint16 bits;

    quint16 frameSize() const { return quint16(channels * bits / 8); }
    char silence() const { return bits == 8 ? char(0x80) : char(0); }
};

constexpr PcmFormat Mono16 { 1, 22050, 16 };

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body, quint32 declaredSize)
{
    return QByteArray(id, 4) + le32(declaredSize) + body;
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    return chunk(id, body, quint32(body.size()));
}

QByteArray formatChunk(PcmFormat format, quint16 encoding = 1)
{
    return chunk("fmt ",
        le16(encoding) + le16(format.channels) + le32(format.rate)
            + le32(format.rate * format.frameSize()) + le16(format.frameSize())
            + le16(format.bits));
}

// A format chunk with every field given, for encodings and layouts PcmFormat cannot describe.
QByteArray formatFields(quint16 encoding, quint16 channels, quint16 blockAlign, quint16 bits,
    const QByteArray& extension = {})
{
    constexpr quint32 rate = 22050;
    QByteArray body = le16(encoding) + le16(channels) + le32(rate) + le32(rate * blockAlign)
        + le16(blockAlign) + le16(bits);
    if (!extension.isEmpty())
        body += le16(quint16(extension.size())) + extension;
    return chunk("fmt ", body);
}

QByteArray riffWave(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray wave(PcmFormat format, const QByteArray& samples)
{
    return riffWave(formatChunk(format) + chunk("data", samples));
}

// A cosine: the first sample is already loud, and each channel has its own level so that
// dropped or swapped channels show in the output.
QByteArray tone(PcmFormat format, double seconds, double hertz = 440)
{
    QByteArray samples;
    const int frames = int(format.rate * seconds);
    for (int i = 0; i < frames; ++i) {
        const double level = std::cos(2 * std::numbers::pi * hertz * i / format.rate);
        for (int channel = 0; channel < format.channels; ++channel) {
            const double scaled = level / (channel + 2);
            if (format.bits == 8)
                samples += char(quint8(128 + std::lround(scaled * 100)));
            else if (format.bits == 16)
                samples += le16(quint16(qint16(std::lround(scaled * 20000))));
            else
                samples += le32(quint32(qint32(std::lround(scaled * 1e9))));
        }
    }
    return samples;
}

std::chrono::milliseconds clipDuration(PcmFormat format, const QByteArray& samples)
{
    return std::chrono::milliseconds(samples.size() / format.frameSize() * 1000 / format.rate);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The device got the clip whole and in order, with nothing but silence around it.
testing::AssertionResult playedAlone(const QByteArray& output, const QByteArray& clip, char silence)
{
    const qsizetype at = output.indexOf(clip);
    if (at < 0)
        return testing::AssertionFailure()
            << "clip not found in " << output.size() << " bytes of output";
    const auto isSilence = [silence](QByteArrayView bytes) {
        return std::all_of(
            bytes.begin(), bytes.end(), [silence](char byte) { return byte == silence; });
    };
    const QByteArrayView all(output);
    if (!isSilence(all.first(at)))
        return testing::AssertionFailure() << "sound before the clip";
    if (!isSilence(all.sliced(at + clip.size())))
        return testing::AssertionFailure() << "sound after the clip";
    return testing::AssertionSuccess();
}

qint64 millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SdlSoundPlayerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        useDriver("disk");
    }

    // SDL reads the driver when its audio starts, and the file when a device opens.
    void useDriver(const QByteArray& driver, const QString& diskFile = {})
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv(
            "SDL_DISKAUDIOFILE", QFile::encodeName(diskFile.isEmpty() ? devicePath() : diskFile));
        // Set to 0 this makes the disk driver write as fast as it is fed; the tests need its
        // default pace of one buffer per buffer's duration.
        qunsetenv("SDL_DISKAUDIODELAY");
    }

    QString devicePath() const { return dir.filePath("device.raw"); }

    // The player closes a device just after it returns, and SDL's disk driver writes its last
    // buffers out to the file only then.
    bool deviceOpen() const
    {
#ifdef Q_OS_WIN
        // SDL opens its file there for writing without sharing it: nobody can open it meanwhile.
        QFile file(devicePath());
        return file.exists() && !file.open(QIODevice::ReadOnly);
#else
        const QString device = QFileInfo(devicePath()).canonicalFilePath();
        const QDir descriptors("/proc/self/fd");
        const QStringList entries = descriptors.entryList(QDir::Files | QDir::System);
        return !device.isEmpty() && std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
            return QFileInfo(descriptors.filePath(entry)).symLinkTarget() == device;
        });
#endif
    }

    QByteArray deviceOutput() const
    {
        for (int wait = 0; wait < 200 && deviceOpen(); ++wait)
            std::this_thread::sleep_for(10ms);
        QFile file(devicePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString writeWave(const QString& name, PcmFormat format, const QByteArray& samples)
    {
        const QString path = dir.filePath(name);
        writeFile(path, wave(format, samples));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(SdlSoundPlayerTest, PlaysTheWholeClipInRealTimeAndStopsTheDevice)
{
    const QByteArray clip = tone(Mono16, 0.3);
    const QString path = writeWave("26.wav", Mono16, clip);
    SdlSoundPlayer player;

    const auto start = Clock::now();
    ASSERT_TRUE(player.playSync(path));
    const qint64 elapsed = millisecondsSince(start);

    // 300 ms of sound; the overhead measures about 15 ms, the rest is slack for slow CI machines.
    EXPECT_GE(elapsed, 300);
    EXPECT_LE(elapsed, 300 + 400);
    RecordProperty("overheadMs", int(elapsed - 300));
    std::this_thread::sleep_for(500ms);
    EXPECT_FALSE(deviceOpen()) << "the device was left open";
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
        const QByteArray clip = tone(format, 0.15);
        const QString path = writeWave("clip.wav", format, clip);
        const auto start = Clock::now();
        EXPECT_TRUE(player.playSync(path));
        EXPECT_GE(millisecondsSince(start), clipDuration(format, clip).count());
        EXPECT_TRUE(playedAlone(deviceOutput(), clip, format.silence()));
    }
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

// Sloppy files that real recorders write play what they hold; what cannot be played is passed
// over quickly, without opening the device.
TEST_F(SdlSoundPlayerTest, PlaysSloppyFilesAndPassesOverBadOnesQuickly)
{
    const QByteArray clip = tone(Mono16, 0.1);
    const QByteArray info = chunk("LIST", QByteArray("INFOISFT\x05\0\0\0sox!", 17));
    const auto contents = [](const QByteArray& bytes) {
        return [bytes](const QString& path) { writeFile(path, bytes); };
    };
    struct Case {
        const char* what;
        QString name;
        std::function<void(const QString& path)> create;
        QByteArray heard = {}; // nothing: passed over
    };
    std::vector<Case> cases = {
        { "missing file", "missing.wav", [](const QString&) {} },
        { "empty file", "empty.wav", contents({}) },
        { "header only", "header.wav", contents(riffWave(formatChunk(Mono16))) },
        { "empty data chunk", "nodata.wav", contents(wave(Mono16, {})) },
        { "less than one sample", "byte.wav", contents(wave(Mono16, "\x01")) },
        { "data chunk cut short by the end of the file", "truncated.wav",
            contents(wave(Mono16, clip).chopped(101)), clip.chopped(102) },
        { "data size far beyond the file", "beyond.wav",
            contents(riffWave(formatChunk(Mono16) + chunk("data", clip.left(200), 0x7ffffff0))),
            clip.left(200) },
        { "data size 0xFFFFFFFF, left by a streaming recorder", "stream.wav",
            contents(riffWave(formatChunk(Mono16) + chunk("data", clip, 0xffffffff))), clip },
        { "data size 0, left by a streaming recorder", "zero.wav",
            contents(riffWave(formatChunk(Mono16) + chunk("data", clip, 0))), clip },
        { "odd-sized chunk without its pad byte", "nopad.wav",
            contents(riffWave(formatChunk(Mono16) + info + chunk("data", clip))), clip },
        { "odd-sized chunk with its pad byte", "pad.wav",
            contents(riffWave(formatChunk(Mono16) + info + '\0' + chunk("data", clip))), clip },
        { "RIFF size ending before the samples", "riff.wav",
            contents("RIFF" + le32(4 + 24) + "WAVE" + formatChunk(Mono16) + chunk("data", clip)),
            clip },
        { "RIFF size 0", "riff0.wav",
            contents("RIFF" + le32(0) + "WAVE" + formatChunk(Mono16) + chunk("data", clip)), clip },
        { "oversized chunk before the data", "list.wav",
            contents(riffWave(
                formatChunk(Mono16) + chunk("LIST", "INFO", 0xffffff00) + chunk("data", clip))) },
        { "samples before the format", "order.wav",
            contents(riffWave(chunk("data", clip) + formatChunk(Mono16))) },
        { "zero sample rate", "rate.wav",
            contents(riffWave(formatChunk({ 1, 0, 16 }) + chunk("data", clip))) },
        { "unsupported encoding", "mpeg.wav",
            contents(riffWave(formatChunk(Mono16, 0x0055) + chunk("data", clip))) },
        { "another kind of RIFF file", "video.wav",
            contents("RIFF" + le32(12) + "AVI " + chunk("JUNK", "abcd")) },
        { "text file", "text.wav", contents("Two little ducks, 22\nKelly's eye, 1\n") },
        { "PNG renamed", "picture.wav",
            contents(QByteArray::fromHex(
                "89504e470d0a1a0a0000000d494844520000001000000010080200000090916836")) },
        { "directory", "5.wav", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); } },
#ifndef Q_OS_WIN
        // Opening a FIFO for reading blocks until a writer comes: this must not hang.
        { "FIFO", "7.wav",
            [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); } },
#endif
        { "12-bit PCM", "12bit.wav",
            contents(riffWave(formatFields(1, 1, 2, 12) + chunk("data", clip))) },
        { "24-bit PCM with the block align of 16-bit", "24bit.wav",
            contents(riffWave(formatFields(1, 1, 2, 24) + chunk("data", clip))) },
        { "16-bit float", "float.wav",
            contents(riffWave(formatFields(3, 1, 2, 16) + chunk("data", clip))) },
        { "A-law with 16-bit samples", "alaw.wav",
            contents(riffWave(formatFields(6, 1, 2, 16) + chunk("data", clip))) },
        { "MS ADPCM without its coefficient table", "msadpcm.wav",
            contents(riffWave(formatFields(2, 1, 256, 4) + chunk("data", clip))) },
        { "IMA ADPCM blocks shorter than their header", "ima.wav",
            contents(riffWave(formatFields(0x11, 1, 2, 4, le16(1017)) + chunk("data", clip))) },
        { "extensible format of an unknown kind", "extensible.wav",
            contents(riffWave(formatFields(0xfffe, 1, 2, 16,
                                  le16(16) + le32(4)
                                      + QByteArray::fromHex("341200000000100080000000aa389b71"))
                + chunk("data", clip))) },
        { "no channels", "mute.wav",
            contents(riffWave(formatFields(1, 0, 0, 16) + chunk("data", clip))) },
        { "format chunk cut short", "short.wav",
            contents(riffWave(chunk("fmt ", formatChunk(Mono16).mid(8, 10)) + chunk("data", clip))) },
        // A few bytes at a few hertz would be minutes of sound.
        { "1 Hz", "1hz.wav", contents(wave({ 1, 1, 8 }, QByteArray(46, '\x90'))) },
        { "just under 8 kHz", "7999.wav", contents(wave({ 1, 7999, 8 }, QByteArray(800, '\x90'))) },
        { "just over 192 kHz", "192001.wav",
            contents(wave({ 1, 192001, 16 }, QByteArray(4000, '\x10'))) },
        { "just over 10 s", "long.wav",
            contents(wave({ 1, 8000, 8 }, QByteArray(80008, '\x90'))) },
        { "over 10 s, data size 0xFFFFFFFF", "longstream.wav",
            contents(riffWave(formatChunk({ 1, 8000, 8 }) + chunk("data", QByteArray(80008, '\x90'), 0xffffffff))) },
        { "valid file of 64 MiB", "huge.wav",
            [](const QString& path) {
                constexpr quint32 size = 64 * 1024 * 1024;
                writeFile(path, riffWave(formatChunk(Mono16) + chunk("data", {}, size)));
                ASSERT_TRUE(QFile::resize(path, 44 + size));
            } },
    };
    // Root reads anything, so this case only means something for other users; Windows has no
    // permission bits Qt could take away.
#ifndef Q_OS_WIN
    if (::geteuid() != 0) {
        cases.push_back({ "unreadable file", "locked.wav", [&](const QString& path) {
                             writeFile(path, wave(Mono16, clip));
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
        const auto start = Clock::now();
        const bool played = player.playSync(path);
        if (file.heard.isEmpty()) {
            EXPECT_FALSE(played);
            EXPECT_LT(millisecondsSince(start), 200);
            EXPECT_FALSE(QFile::exists(devicePath()));
        } else {
            EXPECT_TRUE(played);
            EXPECT_TRUE(playedAlone(deviceOutput(), file.heard, 0));
        }
    }
}

TEST_F(SdlSoundPlayerTest, FailsQuicklyWithoutADevice)
{
    const QString path = writeWave("1.wav", Mono16, tone(Mono16, 0.1));
    struct Setup {
        const char* what;
        QByteArray driver;
        QString diskFile;
    };
    const Setup setups[] = {
        { "no such audio driver", "nonexistent", {} },
        { "device cannot open", "disk", dir.filePath("no/such/dir/device.raw") },
    };
    for (const Setup& setup : setups) {
        SCOPED_TRACE(setup.what);
        useDriver(setup.driver, setup.diskFile);
        SdlSoundPlayer player;
        for (int call = 0; call < 3; ++call) {
            const auto start = Clock::now();
            EXPECT_FALSE(player.playSync(path));
            EXPECT_LT(millisecondsSince(start), 200);
        }
    }
}

TEST_F(SdlSoundPlayerTest, RecoversOnceTheDeviceOpensAgain)
{
    const QByteArray clip = tone(Mono16, 0.1);
    const QString path = writeWave("2.wav", Mono16, clip);
    SdlSoundPlayer player;

    useDriver("disk", dir.filePath("no/such/dir/device.raw"));
    EXPECT_FALSE(player.playSync(path));
    useDriver("disk");
    EXPECT_TRUE(player.playSync(path));
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
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
TEST(SoundServer, DISABLED_AnnouncementArrivesWholeInOrderWithTheSilenceTheFilesHold)
{
    const QString monitor = qEnvironmentVariable("LOTTOVOX_MONITOR");
    ASSERT_FALSE(monitor.isEmpty()) << "run by soundserver_test.sh";
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
