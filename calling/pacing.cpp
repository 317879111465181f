#include "calling/pacing.h"

#include "calling/intervals.h"
#include "game/gamecore.h"
#include "game/gamestate.h"
#include "ui/frmbingo.h"
#include "ui/platform/timer.h"

#include <QGroupBox>
#include <QPushButton>

Pacing::Pacing(const Parts& parts)
    : m(parts)
{
}

void Pacing::chkAutoPlay_Click()
{
    if (m.state.AutoPlayOn) {
        m.state.AutoPlayOn = false;
        m.form.optAutoPlayInterval->setEnabled(false);
        m.form.optAutoPlayInterval->setTitle("Auto Play Currently Turned Off");
        m.tmrAutoplay.stop();
        m.form.cmdNextNumber->setEnabled(true);
        return;
    }
    m.state.AutoPlayOn = true;
    m.form.optAutoPlayInterval->setEnabled(true);
    m.form.optAutoPlayInterval->setTitle("Auto Play Time Interval (seconds)");
    m.tmrAutoplay.start();
    // The option shown selected is the one that counts, whatever was chosen before a pause.
    m.tmrAutoplay.setInterval(autoPlayInterval(m.form.optSeconds.selectedIndex()));
    m.form.cmdNextNumber->setEnabled(false);
    m.tmrNextNumber_delay.stop();
    if (m.shared.RepeatOn)
        m.tmrAutoplay.setInterval(m.tmrAutoplay.interval() + RepeatAllowance);
}

void Pacing::optSeconds_Click(std::int16_t Index)
{
    m.tmrAutoplay.setInterval(autoPlayInterval(Index));
    if (m.shared.RepeatOn)
        m.tmrAutoplay.setInterval(m.tmrAutoplay.interval() + RepeatAllowance);
}

void Pacing::tmrAutoplay_Timer() { m.game.cmdNextNumber_Click(); }

void Pacing::tmrNextNumber_delay_Timer()
{
    m.form.cmdNextNumber->setEnabled(true);
    m.tmrNextNumber_delay.stop();
    // While another window of ours is modal this only marks Next Number as the focus to
    // return to; it never takes the focus away from that window.
    m.form.cmdNextNumber->setFocus();
}
