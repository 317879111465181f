#include "app/gate/useraction.h"

#include <QCoreApplication>
#include <QWidget>

UserActionEvent::UserActionEvent(std::function<void()> action)
    : QEvent(type())
    , m_action(std::move(action))
{
}

QEvent::Type UserActionEvent::type()
{
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

void postUserAction(QWidget* control, std::function<void()> action)
{
    QCoreApplication::postEvent(control, new UserActionEvent(std::move(action)));
}
