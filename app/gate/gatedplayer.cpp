#include "app/gate/gatedplayer.h"

#include "app/gate/routinegate.h"

GatedPlayer::GatedPlayer(SoundPlayer& player, RoutineGate& gate)
    : m_player(player)
    , m_gate(gate)
{
}

bool GatedPlayer::playSync(const QString& path)
{
    bool played = false;
    m_gate.waitForSound([&] { played = m_player.playSync(path); });
    return played;
}

void GatedPlayer::playSequence(const QStringList& paths)
{
    m_gate.waitForSound([&] { m_player.playSequence(paths); });
}
