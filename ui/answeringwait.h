#pragma once

#include <functional>

// Runs blocking work on a thread of its own and returns when it is done. Meanwhile this thread
// keeps its event loop going, so the accessibility bridge and repaints are answered; whatever
// would start another routine is held by the program's event gate, not here.
void waitAnswering(const std::function<void()>& work);
