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
// answers, and SDL is called on that thread alone, malformed files and all. SDL keeps its error
// message per thread and frees it only for its own threads, so a call read on any other thread
// shows in the sanitizers' leak check at the end of the run.
TEST(AnsweringWait, EventLoopGoesOnUntilTheSoundThreadAnswersWhichAloneCallsSdl)
{
    qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir dir;
    const QString good = writeFile(dir, "1.wav", wave(Mono16, tone(Mono16, 0.2)));
    const QString malformed
        = writeFile(dir, "2.wav", riffWave(formatChunk(Mono16, 0x0055) + chunk("data", tone(Mono16, 0.1))));
    SdlSoundPlayer player;

    bool answered = false;
    QTimer::singleShot(0, [&] { answered = true; });
    bool heard = false;
    waitAnswering([&] { heard = player.playSync(good); });
    EXPECT_TRUE(heard);
    EXPECT_TRUE(answered) << "the event loop stood still while the sound played";

    for (int call = 0; call < 20; ++call) {
        waitAnswering([&] { heard = player.playSync(malformed); });
        EXPECT_FALSE(heard);
    }
}

} // namespace
