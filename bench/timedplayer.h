#pragma once

#include "calling/audio/sdlsoundplayer.h"

#include <vector>

// The SDL player, with the start and end of every announcement noted on monotonicMs()'s clock
// and the waiter woken after each. It plays on the thread the program waits on, so the log is
// only read once the announcement is over.
class TimedPlayer final : public SoundPlayer {
public:
    struct Play {
        QStringList paths;
        double start;
        double end;
    };

    bool playSync(const QString& path) override;
    void playSequence(const QStringList& paths) override;

    std::vector<Play> log;

private:
    SdlSoundPlayer m_player;
};
