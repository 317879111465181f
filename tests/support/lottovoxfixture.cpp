#include "lottovoxfixture.h"

#include "ui/desktop/colours.h"
#include "ui/frmabout.h"

#include <QApplication>
#include <QTest>

void LottovoxTest::SetUp()
{
    const Platform platform {
        player,
        confirmation,
        browser,
        [] { return Seed; },
        [] { return Folder; },
        [this](int milliseconds, QObject*) { return clock.makeTimer(milliseconds); },
    };
    program = std::make_unique<Lottovox>(platform);
    program->show();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    m_modalWatch.setInterval(10);
    QObject::connect(&m_modalWatch, &QTimer::timeout, &m_modalWatch, [this] { checkForModal(); });
    m_modalWatch.start();
}

void LottovoxTest::TearDown()
{
    m_modalWatch.stop();
    EXPECT_FALSE(m_modalHandler) << "a modal window the test waited for never opened";
    program.reset();
}

void LottovoxTest::checkForModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && m_modalHandler && m_modalDeadline.hasExpired())
        giveUpWaitingForModal();
    if (!modal)
        return;
    if (!m_modalHandler) {
        ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
        modal->close();
        return;
    }
    // Handed over once it has become the active window, as it would be on a desktop; until
    // then the main window still counts as active. Qt's view of that, not the window system's:
    // Windows reports the new window active before Qt has moved the focus into it.
    if (QApplication::activeWindow() != modal)
        return;
    auto handler = std::exchange(m_modalHandler, nullptr);
    handler(modal);
}

void LottovoxTest::whenModalOpens(std::function<void(QWidget*)> handler)
{
    m_modalHandler = std::move(handler);
    // Real time, not the virtual clock: generous for a dialog that opens at once.
    m_modalDeadline.setRemainingTime(10000);
}

void LottovoxTest::giveUpWaitingForModal()
{
    m_modalHandler = nullptr;
    QStringList open;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &form() && window->isVisible()) {
            open << window->windowTitle();
            window->close();
        }
    }
    ADD_FAILURE() << "no modal window opened within 10 s; open but not modal: "
                  << (open.isEmpty() ? QStringLiteral("none") : open.join(", ")).toStdString();
}

void LottovoxTest::pressNextNumber() { click(form().cmdNextNumber); }

void LottovoxTest::pressEnter()
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &form(), Qt::Key_Return);
    letTheEventLoopRun();
}

void LottovoxTest::choose(QAction* item)
{
    item->trigger();
    letTheEventLoopRun();
}

// A few turns are enough for what one action starts: each held event takes one.
void LottovoxTest::letTheEventLoopRun()
{
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
}

// Through the window system, as a real click comes, so a modal window blocks it.
void LottovoxTest::click(QWidget* control)
{
    QWidget* window = control->window();
    const QPoint spot = control->mapTo(window, QPoint(4, control->height() / 2));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, spot);
}

void LottovoxTest::answerNewGame(int code)
{
    confirmation.willAnswer(code);
    choose(form().mnuNewGame);
}

std::vector<int> LottovoxTest::playWholeGame()
{
    std::vector<int> calls;
    for (int request = 0; request < shared().BingoMode; ++request) {
        EXPECT_TRUE(form().cmdNextNumber->isEnabled()) << "request " << request;
        pressNextNumber();
        calls.push_back(shared().CurrentNumber);
        clock.advance(5000);
    }
    return calls;
}

int LottovoxTest::markedSquares() const
{
    int marked = 0;
    for (const QLabel* square : program->form().lblCalled)
        marked += backColor(square) == Black ? 1 : 0;
    return marked;
}

void LottovoxTest::makeNextCall(int number)
{
    for (int n = 1; n <= shared().BingoMode; ++n)
        state().Called[n] = n != number;
}

frmAbout* LottovoxTest::asAbout(QWidget* modal)
{
    auto* about = qobject_cast<frmAbout*>(modal);
    EXPECT_NE(about, nullptr);
    return about;
}
