#pragma once

#include <cstdint>

struct mdlPublic;
struct frmBingoState;
class GameCore;
class Timer;
class frmBingo;

// The rhythm of the calls: AutoPlay and its interval, and the pause after each manual call.
class Pacing {
public:
    struct Parts {
        frmBingo& form;
        mdlPublic& shared;
        frmBingoState& state;
        GameCore& game;
        Timer& tmrAutoplay;
        Timer& tmrNextNumber_delay;
    };

    explicit Pacing(const Parts& parts);

    void chkAutoPlay_Click();
    void optSeconds_Click(std::int16_t Index);
    void tmrAutoplay_Timer();
    void tmrNextNumber_delay_Timer();

private:
    frmBingo& m_form;
    mdlPublic& m_shared;
    frmBingoState& m_state;
    GameCore& m_game;
    Timer& m_tmrAutoplay;
    Timer& m_tmrNextNumber_delay;
};
