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
    : m(std::move(parts))
{
}

void Announcer::Call_Out()
{
    QLabel* square = m.form.lblCalled[m.shared.CurrentNumber - 1];
    markCalled(square);

    m.shared.CallText = QString::number(m.shared.CurrentNumber);
    m.shared.SoundPath = m.applicationFolder() + QDir::separator();

    if (m.shared.BingoMode == 75) {
        m.shared.CallLetter = letterOf(m.shared.CurrentNumber);
        showCall(m.form, m.shared.CallLetter + ' ' + m.shared.CallText);
    } else {
        showCall(m.form, m.shared.CallText);
    }

    // Playback holds the window until it ends, so the call must be on screen first.
    square->repaint();
    m.form.lblCurrent_Call->repaint();

    if (!m.shared.SoundOn)
        return;
    playCallFiles();
    if (m.shared.RepeatOn)
        m.tmrRepeatTimer.start();
}

void Announcer::chkSound_Click() { m.shared.SoundOn = !m.shared.SoundOn; }

void Announcer::chkRepeat_Click() { m.shared.RepeatOn = !m.shared.RepeatOn; }

// The repeat plays whatever the flags say now: once started, it always follows its call.
void Announcer::tmrRepeatTimer_Timer()
{
    playCallFiles();
    m.tmrRepeatTimer.stop();
}

// Letter and number are one announcement, played back to back. A file that cannot be played
// is passed over in silence.
void Announcer::playCallFiles()
{
    QStringList files;
    if (m.shared.BingoMode == 75)
        files.append(soundFile(m.shared.CallLetter));
    files.append(soundFile(m.shared.CallText));
    m.player.playSequence(files);
}

QString Announcer::soundFile(const QString& stem) const { return m.shared.SoundPath + stem + ".wav"; }
