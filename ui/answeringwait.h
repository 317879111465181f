#pragma once

#include <functional>

// Runs blocking work on a thread of its own and returns when it is done. Meanwhile this thread
// keeps its event loop going, so the accessibility bridge and repaints are answered, all but
// user input, which Qt keeps queued and delivers in order afterwards.
void waitAnswering(const std::function<void()>& work);
