#pragma once

#include "calling/audio/soundplayer.h"
#include "ui/platform/browser.h"
#include "ui/platform/yesnobox.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

class VirtualClock;

// Plays nothing, but takes each clip's time on the virtual clock, as a synchronous player
// would, and keeps a log of what was asked for.
class FakeSoundPlayer final : public SoundPlayer {
public:
    struct Playback {
        std::int64_t start;
        std::int64_t end;
        QString path;
        bool played;
    };

    explicit FakeSoundPlayer(VirtualClock& clock)
        : m_clock(clock)
    {
    }

    bool playSync(const QString& path) override;

    // Durations and missing files are keyed by file name ("B.wav").
    void setDuration(const QString& fileName, int milliseconds) { m_durations[fileName] = milliseconds; }
    void setDefaultDuration(int milliseconds) { m_defaultDuration = milliseconds; }
    void makeMissing(const QString& fileName) { m_missing.insert(fileName); }
    void onPlay(std::function<void(const QString&)> observer) { m_observer = std::move(observer); }

    const std::vector<Playback>& log() const { return m_log; }
    QStringList fileNames() const;
    void clearLog() { m_log.clear(); }

private:
    VirtualClock& m_clock;
    int m_defaultDuration = 600;
    std::map<QString, int> m_durations;
    std::set<QString> m_missing;
    std::function<void(const QString&)> m_observer;
    std::vector<Playback> m_log;
};

// Answers the New Game question from a queue of answers set by the test.
class FakeYesNoBox final : public YesNoBox {
public:
    struct Question {
        QWidget* owner;
        QString text;
        QString title;
    };

    int ask(QWidget* owner, const QString& text, const QString& title) override;
    void willAnswer(int code) { m_answers.push_back(code); }
    const std::vector<Question>& questions() const { return m_questions; }

private:
    std::deque<int> m_answers;
    std::vector<Question> m_questions;
};

class FakeBrowser final : public Browser {
public:
    void open(const QString& address) override { m_opened.append(address); }
    const QStringList& opened() const { return m_opened; }

private:
    QStringList m_opened;
};
