#include "fakes.h"

#include "virtualclock.h"

#include <QFileInfo>

#include <gtest/gtest.h>

bool FakeSoundPlayer::playSync(const QString& path)
{
    const std::int64_t start = m_clock.now();
    if (m_observer)
        m_observer(path);
    const QString fileName = QFileInfo(path).fileName();
    const bool played = !m_missing.contains(fileName);
    if (played) {
        const auto duration = m_durations.find(fileName);
        m_clock.pass(duration == m_durations.end() ? m_defaultDuration : duration->second);
    }
    m_log.push_back({ start, m_clock.now(), path, played });
    return played;
}

QStringList FakeSoundPlayer::fileNames() const
{
    QStringList names;
    for (const Playback& playback : m_log)
        names.append(QFileInfo(playback.path).fileName());
    return names;
}

int FakeYesNoBox::ask(QWidget* owner, const QString& text, const QString& title)
{
    m_questions.push_back({ owner, text, title });
    if (m_answers.empty()) {
        ADD_FAILURE() << "New Game asked a question the test did not expect";
        return No;
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
