#pragma once

#include "app/lottovox.h"
#include "fakes.h"
#include "ui/frmbingo.h"
#include "virtualclock.h"

#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class frmAbout;

// The whole program on a virtual clock, with fake sound, question box and browser, its
// window shown offscreen. A modal window that no test asked for fails the test and is
// closed, so a stray dialog can never hang the suite.
class LottovoxTest : public ::testing::Test {
protected:
    static constexpr std::uint64_t Seed = 20261207;
    inline static const QString Folder = QStringLiteral("/opt/lotto vox");

    void SetUp() override;
    void TearDown() override;

    frmBingo& form() { return program->form(); }
    mdlPublic& shared() { return program->shared(); }
    frmBingoState& state() { return program->state(); }

    // A press of Next Number with the mouse: nothing happens while it is disabled.
    void pressNextNumber();
    // Enter and menu items take a turn of the event loop of their own, as when a screen reader
    // asks for them: these return once that turn has been taken.
    void pressEnter();
    void choose(QAction* item);
    static void letTheEventLoopRun();
    void click(QWidget* control);
    void answerNewGame(int code);
    void startAutoPlay() { click(form().chkAutoPlay); }
    void selectNinety() { click(form().opt90Number); }

    // Plays a whole game by hand, pacing included, and returns the numbers in call order.
    std::vector<int> playWholeGame();
    int markedSquares() const;
    // Rigs a later request of the game to draw this number, by marking every other one.
    void makeNextCall(int number);

    // The next modal window is handed to this handler (from inside its event loop). If none
    // opens within a few seconds, the test fails and any other window is closed: a window that
    // should have been modal and is not would otherwise keep the test waiting forever.
    void whenModalOpens(std::function<void(QWidget*)> handler);
    // The modal window as the About window; the test fails if it is another.
    static frmAbout* asAbout(QWidget* modal);

    VirtualClock clock;
    FakeSoundPlayer player { clock };
    FakeYesNoBox confirmation;
    FakeBrowser browser;
    std::unique_ptr<Lottovox> program;

private:
    void checkForModal();
    void giveUpWaitingForModal();

    QTimer m_modalWatch;
    std::function<void(QWidget*)> m_modalHandler;
    QDeadlineTimer m_modalDeadline;
};

