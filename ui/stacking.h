#pragma once

class QWidget;

// The window layouts assume that a label is painted on its window's own surface, so that a
// button, check box, option button, frame or picture box overlapping a label is always in
// front of it and takes the clicks there. Lowers every label of the window beneath the other
// controls that share its parent, keeping the labels' own order among themselves.
void stackLabelsBeneathControls(QWidget* window);
