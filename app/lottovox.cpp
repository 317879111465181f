#include "app/lottovox.h"

#include "app/clickrule.h"
#include "app/gate/useraction.h"
#include "calling/intervals.h"
#include "ui/accessibleinterfaces.h"
#include "ui/clickablelabel.h"
#include "ui/frmabout.h"
#include "ui/frmbingo.h"
#include "ui/platform/timer.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

namespace Layout = MainWindowLayout;

Lottovox::Lottovox(const Platform& platform)
    : m_random(platform.seeder)
    , m_form(std::make_unique<frmBingo>())
    , m_gate(new RoutineGate(platform.waitForSound, m_form.get()))
    , m_player(platform.player, *m_gate)
    , m_tmrAutoplay(platform.makeTimer(AutoplayInterval, m_form.get()))
    , m_tmrNextNumber_delay(platform.makeTimer(NextNumberDelayInterval, m_form.get()))
    , m_tmrRepeatTimer(platform.makeTimer(RepeatInterval, m_form.get()))
    , m_announcer({ *m_form, m_shared, m_player, *m_tmrRepeatTimer, platform.applicationFolder })
    , m_game({ *m_form, m_shared, m_state, m_random, [this] { m_announcer.Call_Out(); }, *m_tmrAutoplay, *m_tmrNextNumber_delay,
          platform.confirmation })
    , m_pacing({ *m_form, m_shared, m_state, m_game, *m_tmrAutoplay, *m_tmrNextNumber_delay })
    , m_links(platform.browser)
{
    deferAccessiblePresses(postUserAction);
    wireEvents();
    Form_Load();
}

// Nothing held or ticking may reach a routine once its parts start going.
Lottovox::~Lottovox() { m_gate->shutDown(); }

// Every event reaches its handler through the gate, so that routines run one at a time. A
// control's own click runs its routine at once; a menu item and the Enter key, which may also come
// from a screen reader's request, take a turn of their own.
void Lottovox::wireEvents()
{
    frmBingo& f = *m_form;
    QObject::connect(&f, &frmBingo::unloading, &f, gated(f, [this] {
        Form_Unload();
        m_gate->shutDown();
    }));
    QObject::connect(f.cmdNextNumber, &QPushButton::clicked, &f, gated(f, [this] { m_game.cmdNextNumber_Click(); }));
    QObject::connect(&f, &frmBingo::enterPressed, &f, posted([&f] { f.pressDefaultButton(); }));
    onClick(f.opt75Number, gated(f, [this] { m_game.opt75Number_Click(); }));
    onClick(f.opt90Number, gated(f, [this] { m_game.opt90Number_Click(); }));
    QObject::connect(f.mnuNewGame, &QAction::triggered, &f, posted([this] { m_game.mnuNewGame_Click(); }));
    onClick(f.chkSound, gated(f, [this] { m_announcer.chkSound_Click(); }));
    onClick(f.chkRepeat, gated(f, [this] { m_announcer.chkRepeat_Click(); }));
    onTick(*m_tmrRepeatTimer, [this] { m_announcer.tmrRepeatTimer_Timer(); });
    onClick(f.chkAutoPlay, gated(f, [this] { m_pacing.chkAutoPlay_Click(); }));
    for (std::int16_t index = Layout::FirstSecondsOption; index <= Layout::LastSecondsOption; ++index)
        onClick(f.optSeconds(index), gated(f, [this, index] { m_pacing.optSeconds_Click(index); }));
    onTick(*m_tmrAutoplay, [this] { m_pacing.tmrAutoplay_Timer(); });
    onTick(*m_tmrNextNumber_delay, [this] { m_pacing.tmrNextNumber_delay_Timer(); });
    QObject::connect(f.mnuAbout, &QAction::triggered, &f, posted([this] { mnuAbout_Click(); }));
    QObject::connect(f.mnuGetBingoCards, &QAction::triggered, &f, posted([this] { m_links.mnuGetBingoCards_Click(); }));
    QObject::connect(f.lblbyzentrova, &ClickableLabel::clicked, &f, gated(f, [this] { m_links.lblbyzentrova_Click(); }));
}

// Held during a sound, a routine is dropped if its window has gone by the time it could run.
std::function<void()> Lottovox::gated(QWidget& window, std::function<void()> routine)
{
    return [this, owner = &window, routine = std::move(routine)] { m_gate->run(owner, routine); };
}

// Through the event queue, like a screen reader's press, so both keep their order of arrival.
std::function<void()> Lottovox::posted(std::function<void()> routine)
{
    return [this, routine = std::move(routine)] { postUserAction(m_form.get(), routine); };
}

void Lottovox::onTick(Timer& timer, std::function<void()> routine)
{
    timer.setTickHandler([this, &timer, routine = std::move(routine)] { m_gate->tick(timer, routine); });
}

void Lottovox::Form_Load()
{
    m_form->setWindowTitle("Lottovox");
    InitializeVariables();
}

// The order matters: each step runs the Click handlers of the controls it sets, and those
// see what the steps before them left.
void Lottovox::InitializeVariables()
{
    m_random.randomize();
    m_form->optSeconds(5)->setChecked(true);
    m_form->chkSound->setChecked(true);
    m_form->chkRepeat->setChecked(true);
    m_shared.SoundOn = true;
    m_shared.RepeatOn = true;
    m_state.AutoPlayOn = false;
    m_form->opt75Number->setChecked(true);
}

void Lottovox::show()
{
    m_form->adjustSize();
    m_form->centreOnScreen();
    m_form->show();
    m_form->cmdNextNumber->setFocus();
}

// Closing the main window takes every other window of the program with it.
void Lottovox::Form_Unload()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
        if (*window != m_form.get() && (*window)->isVisible())
            (*window)->close();
    }
}

// Built afresh each time, so it always shows exactly its own content.
void Lottovox::mnuAbout_Click()
{
    frmAbout about(m_form.get());
    QObject::connect(about.cmdOK, &QPushButton::clicked, &about, gated(about, [&about] { about.cmdOK_Click(); }));
    QObject::connect(about.lblbyzentrova, &ClickableLabel::clicked, &about, gated(about, [this] { m_links.lblbyzentrova_Click(); }));
    about.exec();
}
