#pragma once

#include <chrono>

// How a thread that makes a call waits for the sound thread's answer. Unless the thread has put a
// wait of its own in place, it just sleeps; one whose event loop must go on meanwhile (answering
// a screen reader, repainting) puts one in place for as long as it makes calls.
class AnswerWait {
public:
    // In place for this thread until it is destroyed.
    AnswerWait();
    virtual ~AnswerWait();
    AnswerWait(const AnswerWait&) = delete;
    AnswerWait& operator=(const AnswerWait&) = delete;

    // The wait in place for this thread, or none.
    static AnswerWait* current();

    // Returns once woken or at the given moment, or sooner: the caller looks again.
    virtual void waitUntil(std::chrono::steady_clock::time_point until) = 0;
    // From any thread: ends the wait under way, or the next one if none is.
    virtual void wake() = 0;

private:
    AnswerWait* m_outer;
};
