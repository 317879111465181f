#pragma once

#include <functional>

// Runs work that waits for a sound right here, with a wait in place (answerwait.h) that keeps this
// thread's event loop going until the sound thread answers. What that loop may deliver meanwhile
// is the gate's rule, at the top of routinegate.h.
void waitAnswering(const std::function<void()>& work);
