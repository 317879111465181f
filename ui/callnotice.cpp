#include "ui/callnotice.h"

#include "ui/accessibleinterfaces.h"

#include <QLabel>

CallNotice::CallNotice(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLabel(this))
{
    installAccessibleInterfaces();
    // Nothing to see or click: it exists for assistive technology alone.
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CallNotice::announce(const QString& call)
{
    hide();
    m_text->setText(call);
    if (!call.isEmpty())
        show();
}
