#include "ui/nextnumberbutton.h"

#include <QEvent>

NextNumberButton::NextNumberButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
}

// Qt asks this of the focused button it disables; refusing leaves the window without a focus.
bool NextNumberButton::focusNextPrevChild(bool next)
{
    return isEnabled() && QPushButton::focusNextPrevChild(next);
}

void NextNumberButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && isEnabled() && !window()->focusWidget())
        setFocus();
}
