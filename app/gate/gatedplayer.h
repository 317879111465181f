#pragma once

#include "calling/audio/soundplayer.h"

class RoutineGate;

// The player as the program's routines use it: each sound is waited for through the gate, under
// the rule at the top of routinegate.h.
class GatedPlayer final : public SoundPlayer {
public:
    GatedPlayer(SoundPlayer& player, RoutineGate& gate);

    bool playSync(const QString& path) override;
    void playSequence(const QStringList& paths) override;

private:
    SoundPlayer& m_player;
    RoutineGate& m_gate;
};
