#pragma once

class QLabel;
class QString;

// A board square marked called (white on black) or not (black on white). The background is
// set before the text colour, and the square's accessible name follows its state.
void markCalled(QLabel* square);
void markUncalled(QLabel* square);
QString squareName(int number, bool called);

// The current-call label's caption. Its accessible name carries the call too, so that a screen
// reader announces each new call as the name changes.
void showCall(QLabel* label, const QString& caption);
