#include "audio/playertest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <thread>

using namespace std::chrono_literals;

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

void SdlSoundPlayerTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    useDriver("disk");
}

void SdlSoundPlayerTest::useDriver(const QByteArray& driver, const QString& diskFile)
{
    qputenv("SDL_AUDIODRIVER", driver);
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(diskFile.isEmpty() ? devicePath() : diskFile));
    // Set to 0 this makes the disk driver write as fast as it is fed; the tests need its
    // default pace of one buffer per buffer's duration.
    qunsetenv("SDL_DISKAUDIODELAY");
}

bool SdlSoundPlayerTest::deviceOpen() const
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

void SdlSoundPlayerTest::waitUntilDeviceClosed() const
{
#ifdef Q_OS_WIN
    while (deviceOpen())
        std::this_thread::sleep_for(10ms);
#else
    // Watched before it is looked at, so that a close in between is not missed.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ::inotify_add_watch(watch, QFile::encodeName(devicePath()).constData(), IN_CLOSE_WRITE);
    alignas(inotify_event) char events[4096];
    while (deviceOpen() && ::read(watch, events, sizeof events) > 0) { }
    ::close(watch);
#endif
}

QByteArray SdlSoundPlayerTest::deviceOutput() const
{
    waitUntilDeviceClosed();
    QFile file(devicePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString SdlSoundPlayerTest::writeWave(const QString& name, PcmFormat format, const QByteArray& samples)
{
    const QString path = dir.filePath(name);
    writeFile(path, wave(format, samples));
    return path;
}
