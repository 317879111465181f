#pragma once

#include "calling/soundplayer.h"

class RoutineGate;

// The player as the program's routines use it: a sound is waited for through the gate, so the
// window answers the screen reader while it plays but starts no other routine.
class GatedPlayer final : public SoundPlayer {
public:
    GatedPlayer(SoundPlayer& player, RoutineGate& gate);

    bool playSync(const QString& path) override;
    void playSequence(const QStringList& paths) override;

private:
    SoundPlayer& m_player;
    RoutineGate& m_gate;
};
