// Random sequences of everything a host can do, each checked against a small model of what
// the window must show after every event and every timer tick.

#include "support/lottovoxfixture.h"

#include "calling/intervals.h"
#include "ui/clickablelabel.h"
#include "ui/desktop/colours.h"
#include "ui/frmabout.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <limits>
#include <optional>
#include <random>
#include <sstream>

namespace {

// Hands each tick to the program, then tells the test it happened.
class ObservedTimer final : public Timer {
public:
    ObservedTimer(std::unique_ptr<Timer> inner, std::function<void(const Timer&)> observer)
        : m_inner(std::move(inner))
        , m_observer(std::move(observer))
    {
        m_inner->setTickHandler([this] {
            tick();
            m_observer(*this);
        });
    }

    void start() override { m_inner->start(); }
    void stop() override { m_inner->stop(); }
    bool isActive() const override { return m_inner->isActive(); }
    void setInterval(int milliseconds) override { m_inner->setInterval(milliseconds); }
    int interval() const override { return m_inner->interval(); }

private:
    std::unique_ptr<Timer> m_inner;
    std::function<void(const Timer&)> m_observer;
};

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

bool ModelBased::run(const Sequence& sequence)
{
    start(sequence.seed);
    for (int event = 0; event < sequence.length && m_failure.empty(); ++event)
        randomEvent();
    if (m_failure.empty())
        return true;
    std::ostringstream log;
    for (std::size_t i = 0; i < m_log.size(); ++i)
        log << "  " << i << ": " << m_log[i] << '\n';
    ADD_FAILURE() << "seed " << sequence.seed << ": " << m_failure << "\nevents:\n"
                  << log.str() << "replay with LOTTOVOX_MODEL_SEED=" << sequence.seed;
    return false;
}

void ModelBased::start(std::uint64_t seed)
{
    program.reset();
    m_world = std::make_unique<World>();
    m_random.seed(seed);
    m_model = {};
    m_log.clear();
    m_heard = 0;
    m_announced = QStringList();

    // Clips of random lengths, some longer than an AutoPlay period, and some files missing.
    FakeSoundPlayer& voice = m_world->player;
    voice.setDefaultDuration(pick(1500));
    for (int i = pick(4); i > 0; --i)
        voice.setDuration(QString::number(1 + pick(90)) + ".wav", 2000 + pick(8000));
    voice.setDuration(QString("BINGO"[pick(5)]) + ".wav", pick(3000));
    for (int i = pick(3); i > 0; --i)
        voice.makeMissing(QString::number(1 + pick(90)) + ".wav");

    VirtualClock& virtualClock = m_world->clock;
    program = std::make_unique<Lottovox>(Platform {
        m_world->player,
        confirmation,
        browser,
        [seed] { return seed; },
        [] { return Folder; },
        [this, &virtualClock](int milliseconds, QObject*) {
            return std::make_unique<ObservedTimer>(virtualClock.makeTimer(milliseconds),
                [this](const Timer& timer) { onTick(timer); });
        },
    });
    // Painting is not what this checks, and under the sanitizers it would be most of the time.
    form().setUpdatesEnabled(false);
    program->show();
    QApplication::setActiveWindow(&form());
    note("start");
}

void ModelBased::randomEvent()
{
    frmBingo& f = form();
    const int choice = pick(100);
    if (choice < 30) {
        static constexpr int Steps[] = { 1, 999, 1000, 1001, 1499, 1500, 4999, 5000 };
        const int kind = pick(4);
        advance(kind == 0 ? Steps[pick(8)] : kind == 1 ? pick(2000) : kind == 2 ? pick(12000) : 0);
    } else if (choice < 32) {
        // Long enough for AutoPlay to finish a game and tick on past it.
        advance(100000 + pick(500000));
    } else if (choice < 47) {
        note("click Next Number");
        const bool allowed = m_model.nextEnabled;
        click(f.cmdNextNumber);
        if (allowed)
            request();
    } else if (choice < 53) {
        note("Enter");
        const bool allowed = m_model.nextEnabled;
        pressEnter();
        if (allowed)
            request();
    } else if (choice < 61) {
        note("click AutoPlay/Pause");
        click(f.chkAutoPlay);
        if (m_model.autoPlay != AutoPlay::Paused) {
            m_model.autoPlay = AutoPlay::Paused;
            m_model.nextEnabled = true;
        } else {
            m_model.autoPlay = AutoPlay::Running;
            m_model.nextEnabled = false;
            m_model.delayPending = false;
            m_model.autoPlayPeriod = autoPlayInterval(m_model.secondsOption)
                + (m_model.repeatOn ? RepeatAllowance : 0);
        }
    } else if (choice < 65) {
        note("click Sound");
        click(f.chkSound);
        m_model.soundOn = !m_model.soundOn;
    } else if (choice < 69) {
        note("click Repeat Call");
        click(f.chkRepeat);
        m_model.repeatOn = !m_model.repeatOn;
    } else if (choice < 76) {
        const int index = MainWindowLayout::FirstSecondsOption + pick(7);
        note("click seconds option " + std::to_string(index));
        click(f.optSeconds(index));
        // Only the frame of a running AutoPlay takes clicks.
        if (m_model.autoPlay == AutoPlay::Running && index != m_model.secondsOption) {
            m_model.secondsOption = index;
            m_model.autoPlayPeriod
                = autoPlayInterval(index) + (m_model.repeatOn ? RepeatAllowance : 0);
        }
    } else if (choice < 84) {
        const std::int16_t mode = pick(2) == 0 ? 75 : 90;
        note("click size " + std::to_string(mode));
        click(mode == 75 ? f.opt75Number : f.opt90Number);
        if (!m_model.inProgress)
            m_model.mode = mode;
    } else if (choice < 94) {
        const bool yes = pick(2) == 0;
        note(yes ? "New Game, Yes" : "New Game, No");
        answerNewGame(yes ? YesNoBox::Yes : YesNoBox::No);
        if (yes) {
            m_model.calls.clear();
            m_model.caption.clear();
            m_model.newGame = true;
            m_model.inProgress = false;
            m_model.autoPlay = AutoPlay::Paused;
        } else if (m_model.autoPlay == AutoPlay::Running) {
            m_model.autoPlay = AutoPlay::Halted;
        }
        m_model.nextEnabled = true;
    } else if (choice < 96) {
        note("Get bingo Cards");
        choose(f.mnuGetBingoCards);
    } else if (choice < 99) {
        note("click Zentrova");
        click(f.lblbyzentrova);
    } else {
        openAbout();
    }
    check();
}

// A request the model expects the program to act on: Next Number, Enter or an AutoPlay tick.
void ModelBased::request()
{
    Model& m = m_model;
    m.nextEnabled = false;
    m.inProgress = true;
    if (m.newGame) {
        m.callCount = 0;
        m.newGame = false;
    }
    m.callCount = std::min(m.callCount + 1, int(std::numeric_limits<std::int16_t>::max()));
    if (m.callCount > m.mode)
        return;
    const int number = shared().CurrentNumber;
    if (number < 1 || number > m.mode
        || std::find(m.calls.begin(), m.calls.end(), number) != m.calls.end()) {
        m_failure = "request " + std::to_string(m.callCount) + " drew " + std::to_string(number)
            + ", which is out of range or already called";
        return;
    }
    m.calls.push_back(number);
    m.lastCall = number;
    m.caption = (m.mode == 75 ? QString(letterOf(std::int16_t(number))) + ' ' : QString())
        + QString::number(number);
    m_announced = m.soundOn ? expectedFiles(number) : QStringList();
    m.repeatPending = m.repeatPending || (m.soundOn && m.repeatOn);
    if (m.autoPlay == AutoPlay::Paused)
        m.delayPending = true;
    note("  called " + m.caption.toStdString());
}

void ModelBased::onTick(const Timer& timer)
{
    if (&timer == &program->tmrAutoplay()) {
        note("AutoPlay tick");
        request();
    } else if (&timer == &program->tmrNextNumber_delay()) {
        note("pacing delay tick");
        m_model.nextEnabled = true;
        m_model.delayPending = false;
    } else {
        note("repeat tick");
        m_model.repeatPending = false;
        // The repeat speaks the latest call with the letter if the board is 75 now. A call of
        // a 90-number game repeated after a switch to 75 takes an older call's letter: not checked.
        if (m_model.mode == 90)
            m_announced = QStringList { QString::number(m_model.lastCall) + ".wav" };
        else if (m_model.lastCall <= 75
            && shared().CallLetter == letterOf(std::int16_t(m_model.lastCall)))
            m_announced = expectedFiles(m_model.lastCall);
        else
            m_announced.reset();
    }
    check();
}

void ModelBased::openAbout()
{
    note("open About");
    // The fixture's watch may look while the window is open: it must find a handler each time.
    bool inside = false;
    bool opened = false;
    std::function<void(QWidget*)> handle = [&](QWidget* modal) {
        whenModalOpens(handle);
        if (inside)
            return;
        inside = opened = true;
        insideAbout(modal);
        inside = false;
    };
    whenModalOpens(handle);
    // Looks as soon as the window is up and active, rather than waiting for the watch.
    QTimer look;
    look.setInterval(0);
    QObject::connect(&look, &QTimer::timeout, &look, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isActiveWindow() && !opened) {
            look.stop();
            handle(modal);
        }
    });
    look.start();
    choose(form().mnuAbout);
    whenModalOpens({});
    // Offscreen there is no window manager to hand the activation back to the main window.
    QApplication::setActiveWindow(&form());
    if (!opened)
        m_failure = "the About window did not open";
    else if (QApplication::activeModalWidget())
        m_failure = "the About window is still open";
}

// While About is open, AutoPlay and the repeat go on and the main window takes no input.
void ModelBased::insideAbout(QWidget* modal)
{
    auto* about = qobject_cast<frmAbout*>(modal);
    if (!about) {
        m_failure = "a modal window other than About opened";
        modal->close();
        return;
    }
    check();
    for (int event = pick(5); event > 0 && m_failure.empty(); --event) {
        switch (pick(4)) {
        case 0:
            advance(pick(15000));
            break;
        case 1:
            clickBlocked(form().cmdNextNumber, "Next Number");
            break;
        case 2:
            clickBlocked(form().chkAutoPlay, "AutoPlay/Pause");
            break;
        default:
            clickBlocked(form().opt90Number, "size 90");
            break;
        }
    }
    switch (pick(3)) {
    case 0:
        note("close About with Enter");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case 1:
        note("close About with OK");
        click(about->cmdOK);
        break;
    default:
        note("close About from its title bar");
        about->close();
        break;
    }
}

void ModelBased::clickBlocked(QWidget* control, const char* name)
{
    note(std::string("click ") + name + " behind About");
    click(control);
    check();
}

void ModelBased::advance(std::int64_t milliseconds)
{
    note("advance " + std::to_string(milliseconds) + " ms");
    m_world->clock.advance(milliseconds);
}

void ModelBased::note(const std::string& event)
{
    m_log.push_back("t=" + std::to_string(m_world->clock.now()) + " " + event);
}

QStringList ModelBased::expectedFiles(int number) const
{
    QStringList files;
    if (m_model.mode == 75)
        files.append(QString(letterOf(std::int16_t(number))) + ".wav");
    files.append(QString::number(number) + ".wav");
    return files;
}

void ModelBased::check()
{
    if (!m_failure.empty())
        return;
    m_failure = broken();
    m_announced = QStringList();
}

// The first invariant that does not hold, or nothing.
std::string ModelBased::broken()
{
    const Model& m = m_model;
    frmBingo& f = form();
    const frmBingoState& s = state();

    const auto& log = m_world->player.log();
    QStringList played;
    for (std::size_t i = m_heard; i < log.size(); ++i)
        played.append(log[i].path.section(QDir::separator(), -1));
    m_heard = log.size();
    if (m_announced && played != *m_announced)
        return "played \"" + played.join(' ').toStdString() + "\" instead of \""
            + m_announced->join(' ').toStdString() + "\"";

    if (s.CallCount != m.callCount || s.NewGame != m.newGame || s.GameInProgress != m.inProgress)
        return "CallCount " + std::to_string(s.CallCount) + ", NewGame " + std::to_string(s.NewGame)
            + ", GameInProgress " + std::to_string(s.GameInProgress) + "; expected "
            + std::to_string(m.callCount) + ", " + std::to_string(m.newGame) + ", "
            + std::to_string(m.inProgress);

    // The size is fixed while a game is in progress, and the board shows the size in use.
    if (shared().BingoMode != m.mode || f.opt75Number->isChecked() != (m.mode == 75)
        || f.opt90Number->isChecked() != (m.mode == 90))
        return "BingoMode " + std::to_string(shared().BingoMode) + " with 75 "
            + (f.opt75Number->isChecked() ? "selected" : "clear") + " and 90 "
            + (f.opt90Number->isChecked() ? "selected" : "clear") + ", expected "
            + std::to_string(m.mode);
    if (f.opt75Number->isEnabled() == m.inProgress || f.opt90Number->isEnabled() == m.inProgress)
        return "size options enabled during a game, or disabled between games";
    for (int i = 75; i < MaxNumber; ++i) {
        if (f.lblCalled[i]->isVisible() != (m.mode == 90))
            return "square " + std::to_string(i + 1) + " visibility in " + std::to_string(m.mode);
    }

    // Each number once, as many marked as calls made in this game, squares as the record says.
    const int marked = int(std::count(s.Called.begin(), s.Called.end(), true));
    const int expected = m.newGame ? 0 : std::min<int>(s.CallCount, shared().BingoMode);
    if (marked != expected || marked != int(m.calls.size()))
        return std::to_string(marked) + " numbers marked called, expected "
            + std::to_string(expected);
    for (int n = 1; n <= MaxNumber; ++n) {
        const bool called = std::find(m.calls.begin(), m.calls.end(), n) != m.calls.end();
        if (s.Called[n] != called)
            return "number " + std::to_string(n) + (called ? " not marked" : " marked")
                + " in Called";
        const QLabel* square = f.lblCalled[n - 1];
        const bool black = backColor(square) == Black;
        if (black != called || (called && foreColor(square) != White))
            return "square " + std::to_string(n) + " coloured " + (black ? "called" : "uncalled");
    }
    if (f.lblCurrent_Call->text() != m.caption)
        return "current call shows \"" + f.lblCurrent_Call->text().toStdString() + "\", expected \""
            + m.caption.toStdString() + "\"";

    const bool on = m.autoPlay != AutoPlay::Paused;
    const QString title
        = on ? "Auto Play Time Interval (seconds)" : "Auto Play Currently Turned Off";
    if (s.AutoPlayOn != on || f.chkAutoPlay->isChecked() != on
        || f.optAutoPlayInterval->isEnabled() != (m.autoPlay == AutoPlay::Running)
        || f.optAutoPlayInterval->title() != title
        || program->tmrAutoplay().isActive() != (m.autoPlay == AutoPlay::Running))
        return "AutoPlay is in none of its three states, or not in state "
            + std::to_string(int(m.autoPlay));
    if (m.autoPlay == AutoPlay::Running && program->tmrAutoplay().interval() != m.autoPlayPeriod)
        return "AutoPlay period " + std::to_string(program->tmrAutoplay().interval())
            + ", expected " + std::to_string(m.autoPlayPeriod);

    if (f.cmdNextNumber->isEnabled() != m.nextEnabled)
        return std::string("Next Number ") + (m.nextEnabled ? "disabled" : "enabled");
    if (program->tmrNextNumber_delay().isActive() != m.delayPending)
        return std::string("pacing delay ") + (m.delayPending ? "not running" : "running");
    if (program->tmrRepeatTimer().isActive() != m.repeatPending)
        return std::string("repeat ") + (m.repeatPending ? "not pending" : "pending");
    if (shared().SoundOn != m.soundOn || f.chkSound->isChecked() != m.soundOn
        || shared().RepeatOn != m.repeatOn || f.chkRepeat->isChecked() != m.repeatOn)
        return "Sound or Repeat Call out of step with its box";
    return {};
}

int fromEnvironment(const char* name, int otherwise)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : otherwise;
}

// LOTTOVOX_MODEL_SEED replays one sequence; LOTTOVOX_MODEL_SEQUENCES runs more than CI does.
TEST_F(ModelBased, EveryInvariantHoldsAfterEveryEvent)
{
    constexpr int Length = 40;
    if (qEnvironmentVariableIsSet("LOTTOVOX_MODEL_SEED")) {
        run({ qEnvironmentVariable("LOTTOVOX_MODEL_SEED").toULongLong(), Length });
        return;
    }
    const int sequences = fromEnvironment("LOTTOVOX_MODEL_SEQUENCES", 1000);
    for (int i = 0; i < sequences; ++i) {
        if (!run({ 1000 + std::uint64_t(i), Length }))
            return;
    }
}

} // namespace
