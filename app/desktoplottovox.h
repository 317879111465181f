#pragma once

#include "app/lottovox.h"
#include "calling/audio/sdlsoundplayer.h"
#include "ui/desktop/desktopbrowser.h"
#include "ui/desktop/qtyesnobox.h"

// The program as a host runs it: Qt timers, the SDL wave player waited for with the window still
// answering the screen reader, Qt's question box and the desktop's browser.
class DesktopLottovox {
public:
    DesktopLottovox();

    Lottovox& program() { return m_program; }

private:
    SdlSoundPlayer m_player;
    QtYesNoBox m_confirmation;
    DesktopBrowser m_browser;
    Lottovox m_program;
};
