#include "support/lottovoxfixture.h"

#include "app/gate/answeringwait.h"
#include "calling/audio/answerwait.h"
#include "ui/clickablelabel.h"
#include "ui/frmabout.h"
#include "ui/weblinks.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

#include <atomic>
#include <chrono>
#include <semaphore>

namespace {

void doAction(QAccessibleInterface* control, const QString& action)
{
    ASSERT_NE(control->actionInterface(), nullptr) << control->text(QAccessible::Name).toStdString();
    control->actionInterface()->doAction(action);
}

void doAction(QWidget* control, const QString& action)
{
    doAction(QAccessible::queryAccessibleInterface(control), action);
}

QAccessibleInterface* menuItem(QMenu* menu, const QString& name)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(menu);
    for (int index = 0; index < list->childCount(); ++index) {
        if (list->child(index)->text(QAccessible::Name) == name)
            return list->child(index);
    }
    ADD_FAILURE() << "no menu item " << name.toStdString();
    return list;
}

// What a screen reader reads: the names that Qt's accessibility interfaces report.
class Accessibility : public LottovoxTest {
protected:

    static QString nameOf(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }

    static void expectEveryControlNamed(QWidget* window)
    {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            // Plain containers and closed menus are not controls a host meets.
            const bool container = control->metaObject() == &QWidget::staticMetaObject;
            if (control->isVisibleTo(window) && !container && !control->inherits("QMenu")) {
                EXPECT_FALSE(nameOf(control).isEmpty()) << control->metaObject()->className();
            }
        }
    }
};

TEST_F(Accessibility, EveryControlOfBothWindowsHasAName)
{
    expectEveryControlNamed(&form());
    whenModalOpens([](QWidget* about) {
        expectEveryControlNamed(about);
        qobject_cast<frmAbout*>(about)->cmdOK->click();
    });
    choose(form().mnuAbout);
}

TEST_F(Accessibility, CallLabelAndSquaresSayTheCallUntilTheNextGame)
{
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: none");
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, not called");
    pressNextNumber();
    clock.advance(5000);
    makeNextCall(7);
    pressNextNumber();
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: B 7");
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, called");

    answerNewGame(YesNoBox::Yes);
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, not called");
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: none");
}

TEST_F(Accessibility, MenusOptionsAndCreditLabelsMakeSenseHeardAlone)
{
    EXPECT_EQ(nameOf(form().mnuOptions), "Options");
    EXPECT_EQ(nameOf(form().mnuHelp), "Help");
    EXPECT_EQ(nameOf(form().optSeconds(2)), "4 seconds");
    EXPECT_EQ(nameOf(form().optSeconds(8)), "10 seconds");

    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(form().lblbyzentrova);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), "Zentrova");
    doAction(link, QAccessibleActionInterface::pressAction());
    letTheEventLoopRun();
    EXPECT_EQ(browser.opened(), QStringList { WebAddress::HomePage });
}

// A screen reader's request is answered before anything it starts, and while a modal window is
// open the main window's controls and menus do nothing, as clicks on them do; timers go on.
TEST_F(Accessibility, UnderAModalWindowTheMainWindowTakesNoActionButAutoPlayGoesOn)
{
    startAutoPlay();
    doAction(menuItem(form().mnuHelp, "About"), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "About opens after the request is answered";
    whenModalOpens([this](QWidget* about) {
        doAction(menuItem(form().mnuOptions, "New Game"), QAccessibleActionInterface::pressAction());
        doAction(menuItem(form().mnuHelp, "About"), QAccessibleActionInterface::pressAction());
        doAction(form().cmdNextNumber, QAccessibleActionInterface::pressAction());
        doAction(form().chkSound, QAccessibleActionInterface::toggleAction());
        // Posted events only: the fixture's watch must not look again while About stays open.
        for (int turn = 0; turn < 20; ++turn)
            QCoreApplication::sendPostedEvents();
        clock.advance(10000);
        EXPECT_TRUE(confirmation.questions().empty());
        EXPECT_EQ(QApplication::activeModalWidget(), about) << "one About, nothing over it";
        EXPECT_TRUE(form().chkSound->isChecked());
        EXPECT_TRUE(shared().SoundOn);
        EXPECT_EQ(state().CallCount, 1) << "AutoPlay's tick, and no press of Next Number";
        qobject_cast<frmAbout*>(about)->cmdOK->click();
    });
    letTheEventLoopRun();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A player that holds its caller until the test lets the sound end, waiting as the real one waits
// for its sound thread: through the caller's wait in place. A second sound started meanwhile is
// the fault looked for: it is counted and not held, so the test fails rather than hangs.
class HeldPlayer final : public SoundPlayer {
public:
    bool playSync(const QString&) override
    {
        playSequence({});
        return true;
    }
    void playSequence(const QStringList&) override
    {
        if (m_playing.exchange(true)) {
            ++m_overlaps;
            return;
        }
        AnswerWait* const wait = AnswerWait::current();
        EXPECT_NE(wait, nullptr) << "waited for with the event loop stopped";
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (wait && !m_ended.try_acquire()) {
            if (std::chrono::steady_clock::now() >= giveUp) {
                ADD_FAILURE() << "the sound was never let end";
                break;
            }
            wait->waitUntil(giveUp);
        }
        ++m_announcements;
        m_playing = false;
    }
    void endSounds(std::ptrdiff_t count) { m_ended.release(count); }
    int announcements() const { return m_announcements; }
    int overlaps() const { return m_overlaps; }

private:
    std::counting_semaphore<> m_ended { 0 };
    std::atomic<bool> m_playing = false;
    std::atomic<int> m_announcements = 0;
    std::atomic<int> m_overlaps = 0;
};

// While a call is spoken the window keeps answering, but every way of starting another routine
// waits until the call is over.
class WhileACallIsSpoken : public Accessibility {
protected:
    void SetUp() override
    {
        Accessibility::SetUp();
        program = std::make_unique<Lottovox>(Platform {
            heldPlayer, confirmation, browser, [] { return Seed; }, [] { return Folder; },
            [this](int milliseconds, QObject*) { return clock.makeTimer(milliseconds); }, waitAnswering });
        program->show();
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }

    // Runs from inside the wait for the next sound.
    void duringTheNextSound(std::function<void()> intrusion)
    {
        QTimer::singleShot(0, &form(), std::move(intrusion));
    }

    void clickThroughTheWindowSystem(QWidget* control)
    {
        QWindow* window = form().windowHandle();
        const QPointF spot = control->mapTo(&form(), QPoint(4, control->height() / 2));
        for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(window, spot,
                window->mapToGlobal(spot), type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                Qt::LeftButton, type);
        }
    }

    HeldPlayer heldPlayer;
};

TEST_F(WhileACallIsSpoken, EveryChannelWaitsThenInputRunsInArrivalOrderBeforeTheTick)
{
    startAutoPlay();
    duringTheNextSound([this] {
        clock.advance(10000);
        doAction(form().lblbyzentrova, QAccessibleActionInterface::pressAction());
        doAction(menuItem(form().mnuOptions, "Get bingo Cards"), QAccessibleActionInterface::pressAction());
        doAction(form().chkSound, QAccessibleActionInterface::toggleAction());
        clickThroughTheWindowSystem(form().chkRepeat);
        letTheEventLoopRun();

        EXPECT_TRUE(QAccessible::queryAccessibleInterface(&form())->text(QAccessible::Name) == "Lottovox")
            << "the window answers";
        EXPECT_EQ(state().CallCount, 1);
        EXPECT_TRUE(browser.opened().isEmpty());
        EXPECT_TRUE(form().chkSound->isChecked());
        EXPECT_TRUE(form().chkRepeat->isChecked());
        heldPlayer.endSounds(2);
    });
    clock.advance(10000);
    EXPECT_EQ(state().CallCount, 1) << "nothing runs inside the call";
    letTheEventLoopRun();
    EXPECT_EQ(browser.opened(), QStringList({ WebAddress::HomePage, WebAddress::BingoCardsPage }));
    EXPECT_FALSE(shared().SoundOn);
    EXPECT_FALSE(shared().RepeatOn);
    EXPECT_EQ(state().CallCount, 2) << "the tick that fell due came after the call";
    EXPECT_EQ(heldPlayer.announcements(), 1) << "and after Sound was switched off";
    EXPECT_EQ(heldPlayer.overlaps(), 0);
}

TEST_F(WhileACallIsSpoken, TheRepeatsLateTickIsDroppedAndThePacingTickRunsAfterIt)
{
    heldPlayer.endSounds(1);
    pressNextNumber();
    duringTheNextSound([this] {
        clock.advance(2000);
        EXPECT_FALSE(form().cmdNextNumber->isEnabled());
        // One for the repeat, and one more that a wrongly run second repeat would take.
        heldPlayer.endSounds(2);
    });
    clock.advance(1000);
    letTheEventLoopRun();
    EXPECT_TRUE(form().cmdNextNumber->isEnabled()) << "the pacing tick came after the repeat";
    EXPECT_EQ(QApplication::focusWidget(), form().cmdNextNumber);
    EXPECT_EQ(heldPlayer.announcements(), 2) << "the repeat's own late tick is dropped, not replayed";
    EXPECT_EQ(heldPlayer.overlaps(), 0);
}

TEST_F(WhileACallIsSpoken, ACloseEndsTheProgramAfterTheCallAndWhatCameAfterItNeverRuns)
{
    duringTheNextSound([this] {
        doAction(form().lblbyzentrova, QAccessibleActionInterface::pressAction());
        letTheEventLoopRun();
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(form().windowHandle());
        doAction(menuItem(form().mnuOptions, "Get bingo Cards"), QAccessibleActionInterface::pressAction());
        clickThroughTheWindowSystem(form().chkSound);
        letTheEventLoopRun();
        EXPECT_TRUE(form().isVisible());
        heldPlayer.endSounds(1);
    });
    pressNextNumber();
    letTheEventLoopRun();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(browser.opened(), QStringList { WebAddress::HomePage });
    EXPECT_TRUE(shared().SoundOn);
}

} // namespace
