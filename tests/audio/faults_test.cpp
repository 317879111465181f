#include "audio/playertest.h"
#include "calling/audio/sdlsoundplayer.h"

namespace {

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

} // namespace
