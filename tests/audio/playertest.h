#pragma once

#include "audio/wavebytes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds clipDuration(PcmFormat format, const QByteArray& samples);
void writeFile(const QString& path, const QByteArray& bytes);
// The device got the clip whole and in order, with nothing but silence around it.
testing::AssertionResult playedAlone(const QByteArray& output, const QByteArray& clip, char silence);
qint64 millisecondsSince(Clock::time_point start);

// The real player on SDL's disk driver, whose file in a scratch folder is the device's output.
class SdlSoundPlayerTest : public testing::Test {
protected:
    void SetUp() override;

    // SDL reads the driver when its audio starts, and the file when a device opens.
    void useDriver(const QByteArray& driver, const QString& diskFile = {});
    QString devicePath() const { return dir.filePath("device.raw"); }
    // The player closes a device just after it returns, and SDL's disk driver writes its last
    // buffers out to the file only then.
    bool deviceOpen() const;
    // Returns once the device is closed: a device left open holds the test until its timeout.
    void waitUntilDeviceClosed() const;
    QByteArray deviceOutput() const;
    QString writeWave(const QString& name, PcmFormat format, const QByteArray& samples);

    QTemporaryDir dir;
};
