// The player's time bounds against a device that hangs, at the test's word: SDL's disk driver
// writing to a named pipe. Opening the pipe for writing blocks until the test opens it for
// reading, and writing to it blocks while the test reads nothing; closing the test's end makes
// the driver's next write fail, and SDL takes the device for gone. Real time, in ratios no busy
// machine breaks: a call that must return at once against one that would wait seconds.
#include "audio/playertest.h"
#include "calling/audio/sdlsoundplayer.h"

#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The driver writes one device buffer at a time: 4096 bytes at 48 kHz in 16-bit mono, 16384 at
// 96 kHz in 16-bit stereo.
constexpr PcmFormat Mono48 { 1, 48000, 16 };
constexpr PcmFormat Stereo96 { 2, 96000, 16 };
constexpr qsizetype BufferBytes = 4096;

class PipeDevice {
public:
    explicit PipeDevice(const QString& path)
        : m_path(QFile::encodeName(path))
    {
        EXPECT_EQ(::mkfifo(m_path.constData(), 0600), 0);
    }
    ~PipeDevice() { close(); }
    PipeDevice(const PipeDevice&) = delete;
    PipeDevice& operator=(const PipeDevice&) = delete;

    // The reading end: an open of the writing end waiting for it goes on. The pipe holds one
    // device buffer, so that the driver's writes keep pace with the test's reads.
    void open()
    {
        m_fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(m_fd, 0);
        ::fcntl(m_fd, F_SETPIPE_SZ, int(BufferBytes));
    }
    // Reads what the driver writes until it has written `count` bytes, or closed its end.
    QByteArray read(qsizetype count)
    {
        QByteArray bytes;
        char buffer[BufferBytes];
        while (bytes.size() < count) {
            pollfd ready { m_fd, POLLIN, 0 };
            if (::poll(&ready, 1, 20000) <= 0)
                break;
            const ssize_t got = ::read(m_fd, buffer, std::size_t(std::min(count - bytes.size(), BufferBytes)));
            if (got <= 0)
                break;
            bytes.append(buffer, got);
        }
        return bytes;
    }
    QByteArray readToEnd() { return read(64 * 1024 * 1024); }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};

class StalledDevice : public SdlSoundPlayerTest {
protected:
    void SetUp() override
    {
        SdlSoundPlayerTest::SetUp();
        // A write to a pipe whose reader has gone fails, and ends the process unless this is
        // ignored: SDL's driver is to see the failure.
        m_pipeSignal = std::signal(SIGPIPE, SIG_IGN);
        useDriver("disk", dir.filePath("pipe.raw"));
    }
    void TearDown() override { std::signal(SIGPIPE, m_pipeSignal); }

    // A call once the sound thread has let go of SDL, which it does just after the device's file
    // is closed.
    static bool heardOnceFree(SdlSoundPlayer& player, const QString& path)
    {
        for (int tries = 0; tries < 100; ++tries) {
            if (player.playSync(path))
                return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    PipeDevice device { dir.filePath("pipe.raw") };

private:
    void (*m_pipeSignal)(int) = SIG_DFL;
};

// A call whose device never opens is given up at its deadline, the sound thread stuck in SDL; the
// next calls are then passed over at once rather than each waiting out a deadline of its own.
// Once the device opens, long after the first call gave up, it must not sound; and once the
// thread is free again, calls are heard.
TEST_F(StalledDevice, CallsWhileTheThreadIsStuckReturnAtOnceAndNothingSoundsLate)
{
    const QByteArray clip = tone(Mono48, 0.3);
    const QString path = writeWave("8.wav", Mono48, clip);
    SdlSoundPlayer player;

    EXPECT_FALSE(player.playSync(path)) << "heard from a device that never opened";
    const auto start = Clock::now();
    EXPECT_FALSE(player.playSync(path));
    EXPECT_FALSE(player.playSync(path));
    EXPECT_LT(Clock::now() - start, 1s) << "calls waited for a stuck thread";

    device.open();
    const QByteArray late = device.readToEnd();
    EXPECT_TRUE(std::all_of(late.begin(), late.end(), [](char byte) { return byte == 0; }))
        << "a device opened after its call gave up sounded";

    useDriver("disk");
    EXPECT_TRUE(heardOnceFree(player, path)) << "the call once the thread was free";
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
}

// A device that stops asking for samples gives its call up about a second later, not at the
// end of the announcement's length and margin (8 s and 2 s here); calls made while its output is
// closed are passed over, and once it lets go calls are heard again.
TEST_F(StalledDevice, DeviceThatStopsAskingGivesTheCallUpAboutASecondLater)
{
    const QString path = writeWave("80.wav", Mono48, tone(Mono48, 8));
    const QByteArray clip = tone(Mono48, 0.2);
    const QString call = writeWave("81.wav", Mono48, clip);
    SdlSoundPlayer player;
    device.open();

    std::thread reader([&] { device.read(4 * BufferBytes); });
    const auto start = Clock::now();
    EXPECT_FALSE(player.playSync(path));
    const auto took = Clock::now() - start;
    reader.join();
    EXPECT_GE(took, 1s);
    EXPECT_LT(took, 5s) << "the call waited for the whole announcement";
    const auto next = Clock::now();
    EXPECT_FALSE(player.playSync(call));
    EXPECT_LT(Clock::now() - next, 1s) << "a call waited for the stalled output's close";

    device.readToEnd();
    useDriver("disk");
    EXPECT_TRUE(heardOnceFree(player, call));
    EXPECT_TRUE(playedAlone(deviceOutput(), clip, 0));
}

// An output lost while its last samples play, and so after the call has been heard: SDL's audio
// must start afresh for the next call, which finds the sound as the host has it now (here another
// driver, the old one's device gone for good) and is heard.
TEST_F(StalledDevice, NextCallAfterAnOutputLostAtItsEndIsHeard)
{
    // Taken as fast as the pipe is read, so that SDL asks for the next buffer at once after
    // the device has gone. Buffers of four pipes' worth: the C library's buffer under SDL's file
    // holds one pipe's worth, and passes on each device buffer whole before it takes the next.
    qputenv("SDL_DISKAUDIODELAY", "0");
    constexpr qsizetype DeviceBufferBytes = 4 * BufferBytes;
    const QByteArray clip = tone(Stereo96, 0.5);
    const QString path = writeWave("9.wav", Stereo96, clip);
    SdlSoundPlayer player;
    device.open();

    // All but the last buffer of the clip read: the driver has been handed the last and is held
    // writing it.
    const qsizetype buffers = (clip.size() + DeviceBufferBytes - 1) / DeviceBufferBytes;
    std::thread reader([&] {
        QByteArray read;
        for (;;) {
            const QByteArray more = device.read(DeviceBufferBytes);
            if (more.size() < DeviceBufferBytes)
                return;
            read += more;
            const qsizetype firstSound = read.indexOf(clip.left(8));
            if (firstSound >= 0 && read.size() - firstSound >= (buffers - 1) * DeviceBufferBytes)
                return;
        }
    });
    EXPECT_TRUE(player.playSync(path)) << "the call was heard before its output was lost";
    reader.join();
    // Lost while the thread waits for the driver to let go of the output, as a server that goes
    // away in a call's last buffer leaves it; between two of the thread's looks at the output.
    std::this_thread::sleep_for(250ms);
    device.close();

    useDriver("dummy", dir.filePath("no/such/dir/device.raw"));
    EXPECT_TRUE(player.playSync(path)) << "the call after the lost output";
}

} // namespace
