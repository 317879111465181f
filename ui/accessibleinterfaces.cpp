#include "ui/accessibleinterfaces.h"

#include "ui/callnotice.h"
#include "ui/clickablelabel.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

PressDeferral& pressDeferral()
{
    static PressDeferral deferral;
    return deferral;
}

// A press from a screen reader is deferred, never done inside its request: the routine it starts
// may play a call or open a modal window, and the screen reader would wait for all of it.
template <typename Control>
void pressLater(Control* control)
{
    if (!pressDeferral())
        return;
    pressDeferral()(control, [control = QPointer(control)] {
        if (control && control->isEnabled())
            control->click();
    });
}

class AccessibleLink final : public QAccessibleWidget {
public:
    explicit AccessibleLink(ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            return label()->text();
        return text;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            pressLater(label());
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

// Buttons, check boxes and option buttons as Qt presents them, but pressed and toggled later.
class AccessibleButton final : public QAccessibleWidget {
public:
    AccessibleButton(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            return QString(button()->text()).remove(QLatin1Char('&'));
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        if (const auto* push = qobject_cast<const QPushButton*>(button()))
            state.defaultButton = push->isDefault();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << (button()->isCheckable() ? toggleAction() : pressAction());
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() || action == toggleAction())
            pressLater(button());
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String(CallNotice::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        return new AccessibleLink(static_cast<ClickableLabel*>(object));
    if (className == QLatin1String(QPushButton::staticMetaObject.className()))
        return new AccessibleButton(static_cast<QPushButton*>(object), QAccessible::PushButton);
    if (className == QLatin1String(QCheckBox::staticMetaObject.className()))
        return new AccessibleButton(static_cast<QCheckBox*>(object), QAccessible::CheckBox);
    if (className == QLatin1String(QRadioButton::staticMetaObject.className()))
        return new AccessibleButton(static_cast<QRadioButton*>(object), QAccessible::RadioButton);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

void deferAccessiblePresses(PressDeferral deferral) { pressDeferral() = std::move(deferral); }
