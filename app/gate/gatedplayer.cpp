#include "app/gate/gatedplayer.h"

#include "app/gate/routinegate.h"

GatedPlayer::GatedPlayer(SoundPlayer& player, RoutineGate& gate)
    : m_player(player)
    , m_gate(gate)
{
}

// Whatever a player throws ends the call as not heard: let through, it would leave the event
// loop and end the program in the middle of a game.
bool GatedPlayer::playSync(const QString& path)
{
    bool played = false;
    m_gate.waitForSound([&] {
        try {
            played = m_player.playSync(path);
        } catch (...) {
            played = false;
        }
    });
    return played;
}

void GatedPlayer::playSequence(const QStringList& paths)
{
    m_gate.waitForSound([&] {
        try {
            m_player.playSequence(paths);
        } catch (...) {
        }
    });
}
