#include "calling/pacing.h"

#include "calling/intervals.h"
#include "game/gamecore.h"
#include "game/gamestate.h"
#include "ui/frmbingo.h"
#include "ui/platform/timer.h"

#include <QGroupBox>
#include <QPushButton>

Pacing::Pacing(const Parts& parts)
    : m_form(parts.form)
    , m_shared(parts.shared)
    , m_state(parts.state)
    , m_game(parts.game)
    , m_tmrAutoplay(parts.tmrAutoplay)
    , m_tmrNextNumber_delay(parts.tmrNextNumber_delay)
{
}

void Pacing::chkAutoPlay_Click()
{
    if (m_state.AutoPlayOn) {
        m_state.AutoPlayOn = false;
        m_form.optAutoPlayInterval->setEnabled(false);
        m_form.optAutoPlayInterval->setTitle("Auto Play Currently Turned Off");
        m_tmrAutoplay.stop();
        m_form.cmdNextNumber->setEnabled(true);
        return;
    }
    m_state.AutoPlayOn = true;
    m_form.optAutoPlayInterval->setEnabled(true);
    m_form.optAutoPlayInterval->setTitle("Auto Play Time Interval (seconds)");
    m_tmrAutoplay.start();
    // The option shown selected is the one that counts, whatever was chosen before a pause.
    m_tmrAutoplay.setInterval(autoPlayInterval(m_form.optSeconds.selectedIndex()));
    m_form.cmdNextNumber->setEnabled(false);
    m_tmrNextNumber_delay.stop();
    if (m_shared.RepeatOn)
        m_tmrAutoplay.setInterval(m_tmrAutoplay.interval() + RepeatAllowance);
}

void Pacing::optSeconds_Click(std::int16_t Index)
{
    m_tmrAutoplay.setInterval(autoPlayInterval(Index));
    if (m_shared.RepeatOn)
        m_tmrAutoplay.setInterval(m_tmrAutoplay.interval() + RepeatAllowance);
}

void Pacing::tmrAutoplay_Timer() { m_game.cmdNextNumber_Click(); }

void Pacing::tmrNextNumber_delay_Timer()
{
    m_form.cmdNextNumber->setEnabled(true);
    m_tmrNextNumber_delay.stop();
    // While another window of ours is modal this only marks Next Number as the focus to
    // return to; it never takes the focus away from that window.
    m_form.cmdNextNumber->setFocus();
}
