#pragma once

#include "game/gamestate.h"

#include <functional>

class RandomSource;
class Timer;
class YesNoBox;
class frmBingo;

// Drawing numbers, new game and game size: the routines behind Next Number, New Game and the
// two size options.
class GameCore {
public:
    struct Parts {
        frmBingo& form;
        mdlPublic& shared;
        frmBingoState& state;
        RandomSource& random;
        // Announces the number just drawn: the announcer's Call_Out.
        std::function<void()> callOut;
        Timer& tmrAutoplay;
        Timer& tmrNextNumber_delay;
        YesNoBox& confirmation;
    };

    explicit GameCore(const Parts& parts);

    void cmdNextNumber_Click();
    void mnuNewGame_Click();
    void opt75Number_Click();
    void opt90Number_Click();

private:
    void Random_Call();
    void Reset_Game();
    void UpdateControls();
    void Maintain75_90_Mode();
    std::int16_t draw();

    frmBingo& m_form;
    mdlPublic& m_shared;
    frmBingoState& m_state;
    RandomSource& m_random;
    std::function<void()> m_callOut;
    Timer& m_tmrAutoplay;
    Timer& m_tmrNextNumber_delay;
    YesNoBox& m_confirmation;
};
