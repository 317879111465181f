#include "game/gamecore.h"

#include "game/draw.h"
#include "game/randomsource.h"
#include "ui/callmarks.h"
#include "ui/frmbingo.h"
#include "ui/platform/timer.h"
#include "ui/platform/yesnobox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

GameCore::GameCore(const Parts& parts)
    : m_form(parts.form)
    , m_shared(parts.shared)
    , m_state(parts.state)
    , m_random(parts.random)
    , m_callOut(parts.callOut)
    , m_tmrAutoplay(parts.tmrAutoplay)
    , m_tmrNextNumber_delay(parts.tmrNextNumber_delay)
    , m_confirmation(parts.confirmation)
{
}

std::int16_t GameCore::draw() { return drawNumber(m_random.next(), m_shared.BingoMode); }

void GameCore::cmdNextNumber_Click()
{
    m_form.cmdNextNumber->setEnabled(false);
    m_state.GameInProgress = true;
    UpdateControls();
    if (m_state.NewGame) {
        m_state.CallCount = 0;
        m_state.NewGame = false;
    }
    m_state.CallCount = nextCallCount(m_state.CallCount);

    if (m_state.CallCount == 1) {
        m_shared.CurrentNumber = draw();
        m_state.Called[m_shared.CurrentNumber] = true;
    } else if (m_state.CallCount <= m_shared.BingoMode) {
        Random_Call();
    } else {
        m_form.cmdNextNumber->setEnabled(false);
        return;
    }

    m_callOut();
    if (m_state.AutoPlayOn)
        return;
    m_tmrNextNumber_delay.start();
}

void GameCore::Random_Call()
{
    m_shared.CurrentNumber = drawUncalled(m_state.Called, m_shared.CurrentNumber, m_shared.BingoMode, m_random);
}

void GameCore::mnuNewGame_Click()
{
    const int answer = m_confirmation.ask(&m_form, "Are you sure? This will clear the current game!",
        "Important!");
    m_state.Answer = QString::number(answer);
    if (m_state.Answer.toInt() == YesNoBox::Yes)
        Reset_Game();
    m_form.optAutoPlayInterval->setEnabled(false);
    m_tmrAutoplay.stop();
    m_form.cmdNextNumber->setEnabled(true);
}

void GameCore::Reset_Game()
{
    const std::int16_t bound = m_shared.BingoMode;
    for (int n = 1; n <= bound; ++n) {
        m_state.Called[n] = false;
        markUncalled(m_form.lblCalled[n - 1]);
    }
    showCall(m_form, QString());
    m_form.cmdNextNumber->setEnabled(true);
    m_state.NewGame = true;
    m_form.cmdNextNumber->setFocus();
    // Clearing the box runs its Click handler only if it was checked, which switches AutoPlay off.
    m_form.chkAutoPlay->setChecked(false);
    m_state.GameInProgress = false;
    UpdateControls();
}

void GameCore::opt75Number_Click() { UpdateControls(); }

void GameCore::opt90Number_Click() { UpdateControls(); }

void GameCore::UpdateControls()
{
    if (m_state.GameInProgress) {
        m_form.opt75Number->setEnabled(false);
        m_form.opt90Number->setEnabled(false);
        Maintain75_90_Mode();
        return;
    }
    m_form.opt75Number->setEnabled(true);
    m_form.opt90Number->setEnabled(true);
    const bool seventyFive = m_form.opt75Number->isChecked();
    m_shared.BingoMode = seventyFive ? 75 : 90;
    for (int i = 75; i < MaxNumber; ++i)
        m_form.lblCalled[i]->setVisible(!seventyFive);
    for (int i = 0; i < MainWindowLayout::ColumnLetterCount; ++i)
        m_form.lblBingo[i]->setVisible(seventyFive);
}

void GameCore::Maintain75_90_Mode()
{
    if (m_shared.BingoMode == 75)
        m_form.opt75Number->setChecked(true);
    else
        m_form.opt90Number->setChecked(true);
}
