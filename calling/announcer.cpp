#include "calling/announcer.h"

#include "calling/audio/soundplayer.h"
#include "game/draw.h"
#include "game/gamestate.h"
#include "ui/callmarks.h"
#include "ui/frmbingo.h"
#include "ui/platform/timer.h"

#include <QDir>
#include <QLabel>

Announcer::Announcer(Parts parts)
    : m_form(parts.form)
    , m_shared(parts.shared)
    , m_player(parts.player)
    , m_tmrRepeatTimer(parts.tmrRepeatTimer)
    , m_applicationFolder(std::move(parts.applicationFolder))
{
}

void Announcer::Call_Out()
{
    QLabel* square = m_form.lblCalled[m_shared.CurrentNumber - 1];
    markCalled(square);

    m_shared.CallText = QString::number(m_shared.CurrentNumber);
    m_shared.SoundPath = m_applicationFolder() + QDir::separator();

    if (m_shared.BingoMode == 75) {
        m_shared.CallLetter = letterOf(m_shared.CurrentNumber);
        showCall(m_form, m_shared.CallLetter + ' ' + m_shared.CallText);
    } else {
        showCall(m_form, m_shared.CallText);
    }

    // Playback holds the window until it ends, so the call must be on screen first.
    square->repaint();
    m_form.lblCurrent_Call->repaint();

    if (!m_shared.SoundOn)
        return;
    playCallFiles();
    if (m_shared.RepeatOn)
        m_tmrRepeatTimer.start();
}

void Announcer::chkSound_Click() { m_shared.SoundOn = !m_shared.SoundOn; }

void Announcer::chkRepeat_Click() { m_shared.RepeatOn = !m_shared.RepeatOn; }

// The repeat plays whatever the flags say now: once started, it always follows its call.
void Announcer::tmrRepeatTimer_Timer()
{
    playCallFiles();
    m_tmrRepeatTimer.stop();
}

// Letter and number are one announcement, played back to back. A file that cannot be played
// is passed over in silence.
void Announcer::playCallFiles()
{
    QStringList files;
    if (m_shared.BingoMode == 75)
        files.append(soundFile(m_shared.CallLetter));
    files.append(soundFile(m_shared.CallText));
    m_player.playSequence(files);
}

QString Announcer::soundFile(const QString& stem) const { return m_shared.SoundPath + stem + ".wav"; }
