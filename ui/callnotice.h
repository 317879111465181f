#pragma once

#include <QWidget>

class QLabel;

// Unseen, at the current-call label: screen readers present it as a notification each time a
// call is shown (they pass over name changes of a label that does not have the focus, and the
// call label never has it). Its text sits in a label of its own, which is what a braille display
// is given.
class CallNotice final : public QWidget {
    Q_OBJECT
public:
    explicit CallNotice(QWidget* parent);

    // Shows the call as a new notification; an empty call withdraws the last one.
    void announce(const QString& call);

private:
    QLabel* m_text;
};
