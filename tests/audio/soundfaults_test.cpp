// The real player against a PulseAudio daemon that the test starts, kills and starts again
// (soundserver_test.sh runs these with no daemon of its own running): the sound server dying
// in the middle of a call, starting only after the program, and the default output changing.
// Then against the script's daemon, which the test stops and resumes: a hung server. First of
// all, an announcement through that daemon, recorded from its sink.
#include "audio/playertest.h"
#include "calling/audio/sdlsoundplayer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr int Rate = 48000;

// A 16-bit mono tone at the sinks' rate.
QString writeTone(const QString& path, double seconds)
{
    QByteArray samples;
    for (int i = 0; i < int(seconds * Rate); ++i) {
        char bytes[2];
        qToLittleEndian(qint16(std::lround(8000 * std::sin(2 * std::numbers::pi * 440 * i / Rate))), bytes);
        samples.append(bytes, 2);
    }
    QByteArray header("RIFF....WAVEfmt \x10\0\0\0\x01\0\x01\0....\0\0\0\0\x02\0\x10\0data....", 44);
    qToLittleEndian(quint32(36 + samples.size()), header.data() + 4);
    qToLittleEndian(quint32(Rate), header.data() + 24);
    qToLittleEndian(quint32(Rate * 2), header.data() + 28);
    qToLittleEndian(quint32(samples.size()), header.data() + 40);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header + samples) != header.size() + samples.size())
        ADD_FAILURE() << "could not write " << path.toStdString();
    return path;
}

bool pactl(const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start("pactl", arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool serverAnswers() { return pactl({ "info" }); }

QByteArray pactlOutput(const QStringList& arguments)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start("pactl", arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

// The program's connections to the server once no output of its is open: SDL's audio holds
// one of its own from the moment it starts, and each output one more while it is open.
int connectionsWithNoOutputOpen()
{
    const auto count = [](const QStringList& arguments, const QRegularExpression& line) {
        return int(QString::fromUtf8(pactlOutput(arguments)).split('\n').filter(line).size());
    };
    const QRegularExpression anyLine("\\S");
    const QRegularExpression ours("application\\.name = \"Lottovox\"");
    for (int wait = 0; wait < 100 && count({ "list", "short", "sink-inputs" }, anyLine) > 0; ++wait)
        std::this_thread::sleep_for(50ms);
    for (int wait = 0; wait < 100 && count({ "list", "clients" }, ours) > 1; ++wait)
        std::this_thread::sleep_for(50ms);
    return count({ "list", "clients" }, ours);
}

// The test's own daemon with one null sink, killed with the test if the test dies first.
class Daemon {
public:
    Daemon()
    {
        m_process.setProgram("pulseaudio");
        m_process.setArguments({ "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
            "--disable-shm=yes", "--log-target=stderr", "-L", "module-native-protocol-unix auth-anonymous=1",
            "-L", "module-null-sink sink_name=calls rate=48000 channels=1 norewinds=1" });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    }
    ~Daemon() { kill(); }

    bool start()
    {
        m_process.start();
        for (int wait = 0; wait < 100 && !serverAnswers(); ++wait)
            std::this_thread::sleep_for(100ms);
        return serverAnswers();
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// Records a sink's monitor into a file while it lives.
class Recorder {
public:
    Recorder(const QString& sink, const QString& file)
        : m_file(file)
    {
        m_process.setStandardOutputFile(file);
        m_process.start("parec", { "--device=" + sink + ".monitor", "--raw", "--format=s16le", "--rate=48000",
                                     "--channels=1", "--latency-msec=10" });
        m_process.waitForStarted();
        std::this_thread::sleep_for(300ms);
    }

    // From the first sound it heard to the last, in milliseconds.
    double heardMs()
    {
        std::this_thread::sleep_for(200ms);
        m_process.terminate();
        m_process.waitForFinished();
        QFile file(m_file);
        const QByteArray recording = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        qsizetype first = -1;
        qsizetype last = -1;
        for (qsizetype i = 0; i < recording.size() / 2; ++i) {
            if (std::abs(qFromLittleEndian<qint16>(recording.constData() + 2 * i)) > 1000) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        return first < 0 ? 0 : (last - first) * 1000.0 / Rate;
    }

private:
    QString m_file;
    QProcess m_process;
};

// The 0.4 s call heard whole and once. A busy machine may stretch it with a gap in the
// recording, never cut it short; a second playing would double it.
testing::AssertionResult heardOnceWhole(double ms)
{
    if (ms >= 360 && ms < 600)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "heard " << ms << " ms of a 400 ms call";
}

class SoundServerFaults : public testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("LOTTOVOX_FAULTS"))
            GTEST_SKIP() << "starts PulseAudio daemons of its own where soundserver_test.sh has made room";
        ASSERT_FALSE(serverAnswers()) << "a sound server is running already";
    }

    QTemporaryDir dir;
    Daemon daemon;
};

TEST_F(SoundServerFaults, CallReturnsWhenTheServerDiesAndTheNextPlaysOnceItIsBack)
{
    const QString longCall = writeTone(dir.filePath("long.wav"), 3);
    const QString call = writeTone(dir.filePath("call.wav"), 0.4);
    SdlSoundPlayer player;
    ASSERT_TRUE(daemon.start());

    const auto start = Clock::now();
    std::thread killer([&] {
        std::this_thread::sleep_for(1s);
        daemon.kill();
    });
    EXPECT_FALSE(player.playSync(longCall)) << "a call cut off by the server's death was heard whole";
    killer.join();
    EXPECT_LT(Clock::now() - start, 3s + 2s) << "the call outlived its clip by more than two seconds";

    EXPECT_FALSE(player.playSync(call)) << "played with no server";
    ASSERT_TRUE(daemon.start());
    Recorder recorder("calls", dir.filePath("calls.raw"));
    EXPECT_TRUE(player.playSync(call)) << "the call after the server came back";
    EXPECT_TRUE(heardOnceWhole(recorder.heardMs()));
    EXPECT_EQ(connectionsWithNoOutputOpen(), 1) << "SDL's audio was not started afresh on the server that came back";
}

TEST_F(SoundServerFaults, ProgramStartedBeforeTheServerPlaysOnceItStarts)
{
    const QString call = writeTone(dir.filePath("call.wav"), 0.4);
    SdlSoundPlayer player;
    const auto start = Clock::now();
    EXPECT_FALSE(player.playSync(call));
    EXPECT_LT(Clock::now() - start, 1s) << "a call with no server held the window";

    ASSERT_TRUE(daemon.start());
    Recorder recorder("calls", dir.filePath("calls.raw"));
    EXPECT_TRUE(player.playSync(call));
    EXPECT_TRUE(heardOnceWhole(recorder.heardMs()));
}

TEST_F(SoundServerFaults, NextCallGoesToTheNewDefaultOutput)
{
    const QString call = writeTone(dir.filePath("call.wav"), 0.4);
    SdlSoundPlayer player;
    ASSERT_TRUE(daemon.start());
    {
        Recorder calls("calls", dir.filePath("before.raw"));
        EXPECT_TRUE(player.playSync(call));
        EXPECT_TRUE(heardOnceWhole(calls.heardMs()));
    }
    ASSERT_TRUE(pactl({ "load-module", "module-null-sink", "sink_name=headset", "rate=48000", "channels=1",
        "norewinds=1" }));
    ASSERT_TRUE(pactl({ "set-default-sink", "headset" }));
    Recorder calls("calls", dir.filePath("calls.raw"));
    Recorder headset("headset", dir.filePath("headset.raw"));
    EXPECT_TRUE(player.playSync(call));
    EXPECT_TRUE(heardOnceWhole(headset.heardMs())) << "the new default output";
    EXPECT_EQ(calls.heardMs(), 0) << "the old one";
}

// Run by soundserver_test.sh, which names its daemon's process in LOTTOVOX_SERVER_PID and a
// file in LOTTOVOX_ENDING: the daemon stopped as a hung server is, in the middle of a call and
// before one. A call then returns, unheard, and once the server answers again the next is heard.
// The test ends with the server still stopped; the script sees how soon the process is gone
// after the moment the test writes to the file, as a host sees a window close.
TEST(HungSoundServer, CallsArePassedOverWhileItHangsAndHeardOnceItAnswers)
{
    const pid_t server = pid_t(qEnvironmentVariableIntValue("LOTTOVOX_SERVER_PID"));
    const QString ending = qEnvironmentVariable("LOTTOVOX_ENDING");
    if (server <= 0 || ending.isEmpty())
        GTEST_SKIP() << "needs the PulseAudio daemon that soundserver_test.sh starts, to stop it";
    QTemporaryDir dir;
    const QString longCall = writeTone(dir.filePath("long.wav"), 3);
    const QString call = writeTone(dir.filePath("call.wav"), 0.4);
    {
        SdlSoundPlayer player;
        std::thread stopper([&] {
            std::this_thread::sleep_for(300ms);
            ::kill(server, SIGSTOP);
        });
        EXPECT_FALSE(player.playSync(longCall)) << "a call cut off by a hung server was heard whole";
        stopper.join();
        EXPECT_FALSE(player.playSync(call)) << "heard from a stopped server";

        ::kill(server, SIGCONT);
        ASSERT_TRUE(serverAnswers());
        Recorder recorder("calls", dir.filePath("calls.raw"));
        EXPECT_TRUE(player.playSync(call)) << "the call once the server answered again";
        EXPECT_TRUE(heardOnceWhole(recorder.heardMs()));
    }

    SdlSoundPlayer player;
    ::kill(server, SIGSTOP);
    EXPECT_FALSE(player.playSync(call)) << "heard from a server stopped before the call";
    EXPECT_FALSE(player.playSync(call)) << "heard from a stopped server";
    QFile mark(ending);
    ASSERT_TRUE(mark.open(QIODevice::WriteOnly));
    mark.write(QByteArray::number(qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch()).count())));
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
