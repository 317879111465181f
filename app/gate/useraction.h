#pragma once

#include <QEvent>

#include <functional>

class QWidget;

// A user's action on a control that came other than as window input, such as a screen reader's
// press, posted to the control for the gate to run in its turn: the gate's rule is at the top of
// routinegate.h.
class UserActionEvent final : public QEvent {
public:
    explicit UserActionEvent(std::function<void()> action);

    static QEvent::Type type();
    const std::function<void()>& action() const { return m_action; }

private:
    std::function<void()> m_action;
};

void postUserAction(QWidget* control, std::function<void()> action);
