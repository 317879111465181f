#pragma once

class QLabel;
class QString;
class frmBingo;

// A board square marked called (white on black) or not (black on white). The background is
// set before the text colour, and the square's accessible name follows its state.
void markCalled(QLabel* square);
void markUncalled(QLabel* square);
QString squareName(int number, bool called);

// The current-call label's caption. Its accessible name carries the call too, and a screen reader
// is given each new call as a notification.
void showCall(frmBingo& form, const QString& caption);
