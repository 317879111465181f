#pragma once

#include "app/gate/gatedplayer.h"
#include "app/gate/routinegate.h"
#include "calling/announcer.h"
#include "calling/pacing.h"
#include "game/gamecore.h"
#include "game/gamestate.h"
#include "game/randomsource.h"
#include "ui/weblinks.h"

#include <functional>
#include <memory>

class Browser;
class QObject;
class QWidget;
class SoundPlayer;
class Timer;
class YesNoBox;
class frmBingo;

// What the program needs of the machine: production passes Qt and SDL, tests pass fakes
// that run on a virtual clock.
struct Platform {
    SoundPlayer& player;
    YesNoBox& confirmation;
    Browser& browser;
    RandomSource::Seeder seeder;
    Announcer::FolderLookup applicationFolder;
    std::function<std::unique_ptr<Timer>(int milliseconds, QObject* owner)> makeTimer;
    // How a routine waits for its sound to end; by default it simply blocks.
    RoutineGate::Waiter waitForSound {};
};

// The whole program: the main window, its state and its routines, wired together.
class Lottovox {
public:
    explicit Lottovox(const Platform& platform);
    ~Lottovox();

    void show();

    frmBingo& form() { return *m_form; }
    mdlPublic& shared() { return m_shared; }
    frmBingoState& state() { return m_state; }
    Timer& tmrAutoplay() { return *m_tmrAutoplay; }
    Timer& tmrNextNumber_delay() { return *m_tmrNextNumber_delay; }
    Timer& tmrRepeatTimer() { return *m_tmrRepeatTimer; }

private:
    void wireEvents();
    std::function<void()> gated(QWidget& window, std::function<void()> routine);
    std::function<void()> posted(std::function<void()> routine);
    void onTick(Timer& timer, std::function<void()> routine);
    void Form_Load();
    void InitializeVariables();
    void Form_Unload();
    void mnuAbout_Click();

    mdlPublic m_shared;
    frmBingoState m_state;
    RandomSource m_random;
    std::unique_ptr<frmBingo> m_form;
    RoutineGate* m_gate;
    GatedPlayer m_player;
    std::unique_ptr<Timer> m_tmrAutoplay;
    std::unique_ptr<Timer> m_tmrNextNumber_delay;
    std::unique_ptr<Timer> m_tmrRepeatTimer;
    Announcer m_announcer;
    GameCore m_game;
    Pacing m_pacing;
    WebLinks m_links;
};
