#pragma once

class QWidget;

// Keeps a fixed-size window in its normal state whatever the window system asks of it. A
// maximise or full-screen request, from a title bar the toolkit draws itself or from the
// compositor, is undone; and a modal window that is minimised closes, since hidden it would
// leave the windows beneath it taking no input. Under Wayland the compositor may insist on a
// maximised size and end a client that does not take it, so there the window may take any size
// for as long as the compositor holds it maximised.
void keepNormalState(QWidget* window);
