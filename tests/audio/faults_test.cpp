#include "audio/playertest.h"
#include "calling/audio/sdlsoundplayer.h"

namespace {

// A call with no device fails at once, not once it has waited out its clip or the player's
// deadline after it: the clip is long enough for such a wait to show however busy the machine.
TEST_F(SdlSoundPlayerTest, FailsQuicklyWithoutADevice)
{
    const QByteArray clip = tone(Mono16, 8);
    const QString path = writeWave("1.wav", Mono16, clip);
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
            EXPECT_LT(millisecondsSince(start), clipDuration(Mono16, clip).count());
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
