#include "calling/audio/audiomessages.h"

#include <SDL.h>

#include <cstdarg>
#include <cstring>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

Q_LOGGING_CATEGORY(audioMessages, "lottovox.audio", QtInfoMsg)

namespace {

void sdlMessage(void*, int, SDL_LogPriority, const char* message)
{
    qCDebug(audioMessages).noquote() << "SDL:" << message;
}

#ifdef Q_OS_LINUX
// ALSA prints through a handler of the process's libasound, which SDL's ALSA driver loads; it
// is looked up at run time so that building needs no ALSA headers and running no ALSA at all.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);

void alsaMessage(const char* file, int line, const char* function, int error, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    QString message = QString::vasprintf(format, arguments);
    va_end(arguments);
    if (error)
        message += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error < 0 ? -error : error));
    qCDebug(audioMessages).noquote().nospace() << "ALSA " << file << ':' << line << ": (" << function << ") " << message;
}

void routeAlsaMessages()
{
    // Kept open for the life of the process: the handler must outlive every use of libasound.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return;
    using SetHandler = int (*)(AlsaErrorHandler);
    if (const auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(alsaMessage);
}
#endif

} // namespace

void routeAudioMessages()
{
    SDL_LogSetOutputFunction(sdlMessage, nullptr);
#ifdef Q_OS_LINUX
    routeAlsaMessages();
#endif
}
