#include "game/gamecore.h"

#include "calling/announcer.h"
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
    : m(parts)
{
}

std::int16_t GameCore::draw() { return drawNumber(m.random.next(), m.shared.BingoMode); }

void GameCore::cmdNextNumber_Click()
{
    m.form.cmdNextNumber->setEnabled(false);
    m.state.GameInProgress = true;
    UpdateControls();
    if (m.state.NewGame) {
        m.state.CallCount = 0;
        m.state.NewGame = false;
    }
    m.state.CallCount = nextCallCount(m.state.CallCount);

    if (m.state.CallCount == 1) {
        m.shared.CurrentNumber = draw();
        m.state.Called[m.shared.CurrentNumber] = true;
    } else if (m.state.CallCount <= m.shared.BingoMode) {
        Random_Call();
    } else {
        m.form.cmdNextNumber->setEnabled(false);
        return;
    }

    m.announcer.Call_Out();
    if (m.state.AutoPlayOn)
        return;
    m.tmrNextNumber_delay.start();
}

void GameCore::Random_Call()
{
    m.shared.CurrentNumber = drawUncalled(m.state.Called, m.shared.CurrentNumber, m.shared.BingoMode, m.random);
}

void GameCore::mnuNewGame_Click()
{
    const int answer = m.confirmation.ask(&m.form, "Are you sure? This will clear the current game!",
        "Important!");
    m.state.Answer = QString::number(answer);
    if (m.state.Answer.toInt() == YesNoBox::Yes)
        Reset_Game();
    m.form.optAutoPlayInterval->setEnabled(false);
    m.tmrAutoplay.stop();
    m.form.cmdNextNumber->setEnabled(true);
}

void GameCore::Reset_Game()
{
    const std::int16_t bound = m.shared.BingoMode;
    for (int n = 1; n <= bound; ++n) {
        m.state.Called[n] = false;
        markUncalled(m.form.lblCalled[n - 1]);
    }
    showCall(m.form, QString());
    m.form.cmdNextNumber->setEnabled(true);
    m.state.NewGame = true;
    m.form.cmdNextNumber->setFocus();
    // Clearing the box runs its Click handler only if it was checked, which switches AutoPlay off.
    m.form.chkAutoPlay->setChecked(false);
    m.state.GameInProgress = false;
    UpdateControls();
}

void GameCore::opt75Number_Click() { UpdateControls(); }

void GameCore::opt90Number_Click() { UpdateControls(); }

void GameCore::UpdateControls()
{
    if (m.state.GameInProgress) {
        m.form.opt75Number->setEnabled(false);
        m.form.opt90Number->setEnabled(false);
        Maintain75_90_Mode();
        return;
    }
    m.form.opt75Number->setEnabled(true);
    m.form.opt90Number->setEnabled(true);
    const bool seventyFive = m.form.opt75Number->isChecked();
    m.shared.BingoMode = seventyFive ? 75 : 90;
    for (int i = 75; i < MaxNumber; ++i)
        m.form.lblCalled[i]->setVisible(!seventyFive);
    for (int i = 0; i < MainWindowLayout::ColumnLetterCount; ++i)
        m.form.lblBingo[i]->setVisible(seventyFive);
}

void GameCore::Maintain75_90_Mode()
{
    if (m.shared.BingoMode == 75)
        m.form.opt75Number->setChecked(true);
    else
        m.form.opt90Number->setChecked(true);
}
