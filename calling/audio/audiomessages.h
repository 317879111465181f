#pragma once

#include <QLoggingCategory>

// What SDL and the sound libraries under it have to say: a missing sound device, SDL's notice
// that it writes to a file. Normal for a bingo caller that may run without sound, so hidden
// unless asked for, e.g. QT_LOGGING_RULES="lottovox.audio.debug=true".
Q_DECLARE_LOGGING_CATEGORY(audioMessages)

// Sends SDL's log and ALSA's error messages to audioMessages instead of standard error.
void routeAudioMessages();
