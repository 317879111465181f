// Random sequences of everything a host can do, each checked against a small model of what
// the window must show after every event and every timer tick.

#include "model/modelbased.h"

#include "calling/intervals.h"
#include "ui/clickablelabel.h"
#include "ui/frmabout.h"

#include <QApplication>
#include <QTest>

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

} // namespace

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
    form().activateWindow();
    if (!QTest::qWaitForWindowActive(&form()))
        m_failure = "the main window did not become active";
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
    form().activateWindow();
    if (!QTest::qWaitForWindowActive(&form()))
        m_failure = "the main window did not become active again after About";
    else if (!opened)
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

namespace {

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
