#pragma once

#include "game/draw.h"

#include <QString>

#include <cstdint>

// Program-wide variables shared by the game core and the calling routines.
struct mdlPublic {
    std::int16_t CurrentNumber = 0;
    std::int16_t BingoMode = 0;
    bool SoundOn = false;
    bool RepeatOn = false;
    QString SoundPath;
    QString CallLetter;
    QString CallText;
};

// Variables of the main window; they live as long as the window.
struct frmBingoState {
    CalledNumbers Called {};
    std::int16_t CallCount = 0;
    bool NewGame = false;
    QString Answer;
    bool AutoPlayOn = false;
    bool GameInProgress = false;
};
