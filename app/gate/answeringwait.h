#pragma once

#include <functional>

// Runs blocking work on a thread of its own and returns when it is done, this thread's event loop
// going meanwhile. What that loop may deliver then is the gate's rule, at the top of
// routinegate.h.
void waitAnswering(const std::function<void()>& work);
