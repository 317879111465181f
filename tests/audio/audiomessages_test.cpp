#include "calling/audio/audiomessages.h"

#include <QStringList>
#include <QTemporaryFile>

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

// What the process writes to standard error while `action` runs.
template <typename Action>
QByteArray standardErrorOf(Action action)
{
    QTemporaryFile file;
    if (!file.open())
        return "cannot capture standard error";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll();
}

QStringList shown;

void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "lottovox.audio") == 0)
        shown << message;
}

// What a machine without sound meets on every call: SDL's notice and its ALSA driver failing to
// open a card that is not there.
void openMissingCard()
{
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "alsa");
    qputenv("AUDIODEV", "hw:99,0");
    SDL_LogCritical(SDL_LOG_CATEGORY_AUDIO, "a notice from SDL");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        SDL_AudioSpec wanted {};
        wanted.freq = 22050;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = 1024;
        EXPECT_EQ(SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0), 0u);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    qunsetenv("AUDIODEV");
    qputenv("SDL_AUDIODRIVER", driver);
}

TEST(AudioMessages, StayOffTheTerminalUnlessAskedFor)
{
    routeAudioMessages();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    EXPECT_EQ(standardErrorOf(openMissingCard).toStdString(), "");
    EXPECT_TRUE(shown.isEmpty());

    QLoggingCategory::setFilterRules("lottovox.audio.debug=true");
    openMissingCard();
    QLoggingCategory::setFilterRules({});
    qInstallMessageHandler(previous);
    EXPECT_TRUE(shown.contains("SDL: a notice from SDL")) << shown.join('\n').toStdString();
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QString& line) {
        return line.startsWith("ALSA ") && line.contains("99");
    })) << shown.join('\n').toStdString();
}

} // namespace
