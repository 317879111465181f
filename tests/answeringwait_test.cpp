#include "app/gate/answeringwait.h"
#include "audio/wavebytes.h"
#include "calling/audio/sdlsoundplayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

// The gate's wait with the real player: this thread's event loop goes on until the sound thread
// answers, a file heard or refused.
TEST(AnsweringWait, EventLoopGoesOnUntilTheSoundThreadAnswers)
{
    qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir dir;
    const QString good = writeFile(dir, "1.wav", wave(Mono16, tone(Mono16, 0.2)));
    const QString refused
        = writeFile(dir, "2.wav", riffWave(formatChunk(Mono16, 0x0055) + chunk("data", tone(Mono16, 0.1))));
    SdlSoundPlayer player;

    for (const QString& path : { good, refused }) {
        bool answered = false;
        QTimer::singleShot(0, [&] { answered = true; });
        bool heard = false;
        waitAnswering([&] { heard = player.playSync(path); });
        EXPECT_EQ(heard, path == good);
        EXPECT_TRUE(answered) << "the event loop stood still while the sound thread worked";
    }
}

} // namespace
