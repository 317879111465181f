// The model's side of a sequence: what each request and tick leads the host to expect, and
// the invariants that the window must hold against it.

#include "model/modelbased.h"

#include "calling/intervals.h"
#include "ui/desktop/colours.h"

#include <QDir>

#include <algorithm>
#include <limits>

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
