#pragma once

// The model of what the host should see, worked out from the events alone, and the fixture
// that runs random sequences of events against the whole program and checks the window
// against the model after each.

#include "support/lottovoxfixture.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

enum class AutoPlay { Paused, Running, Halted };

// What the host should see, worked out from the events alone.
struct Model {
    std::int16_t mode = 75;
    std::vector<int> calls; // this game's numbers in call order
    int lastCall = 0;
    int callCount = 0;
    bool newGame = false;
    bool inProgress = false;
    AutoPlay autoPlay = AutoPlay::Paused;
    int secondsOption = 5;
    int autoPlayPeriod = 0;
    // Next Number is taken away by every request and by starting AutoPlay; it comes back with
    // the pacing delay, a pause of AutoPlay and New Game, whatever the answer.
    bool nextEnabled = true;
    bool delayPending = false;
    bool repeatPending = false;
    bool soundOn = true;
    bool repeatOn = true;
    QString caption;
};

struct Sequence {
    std::uint64_t seed;
    int length;
};

class ModelBased : public LottovoxTest {
protected:
    void TearDown() override
    {
        LottovoxTest::TearDown();
        m_world.reset();
    }

    // Runs one sequence from a fresh start; false once an invariant broke (reported already).
    bool run(const Sequence& sequence);

private:
    // A clock and a player of the sequence's own, so no time or clip length carries over.
    struct World {
        VirtualClock clock;
        FakeSoundPlayer player { clock };
    };

    void start(std::uint64_t seed);
    void randomEvent();
    void request();
    void onTick(const Timer& timer);
    void openAbout();
    void insideAbout(QWidget* modal);
    void clickBlocked(QWidget* control, const char* name);
    void advance(std::int64_t milliseconds);
    void note(const std::string& event);
    void check();
    std::string broken();
    QStringList expectedFiles(int number) const;
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

    std::unique_ptr<World> m_world;
    std::mt19937_64 m_random;
    Model m_model;
    std::vector<std::string> m_log;
    std::string m_failure;
    std::size_t m_heard = 0;
    // What the player should have been asked for since the last check; nothing means silence,
    // no value that the check is skipped.
    std::optional<QStringList> m_announced;
};
