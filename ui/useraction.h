#pragma once

#include <QEvent>

#include <functional>

class QWidget;

// A user's action on a control that came other than as window input, such as a screen reader's
// press. It is posted to the control rather than done at once, so the request that asked for it
// is answered first; the program's event gate then runs it in its turn, as it would a click.
class UserActionEvent final : public QEvent {
public:
    explicit UserActionEvent(std::function<void()> action);

    static QEvent::Type type();
    const std::function<void()>& action() const { return m_action; }

private:
    std::function<void()> m_action;
};

void postUserAction(QWidget* control, std::function<void()> action);
