#include "ui/callmarks.h"

#include "ui/colours.h"

#include <QAccessible>
#include <QLabel>

namespace {

void mark(QLabel* square, bool called)
{
    setBackColor(square, called ? Black : White);
    setForeColor(square, called ? White : Black);
    square->setAccessibleName(squareName(square->text().toInt(), called));
}

} // namespace

void markCalled(QLabel* square) { mark(square, true); }

void markUncalled(QLabel* square) { mark(square, false); }

QString squareName(int number, bool called)
{
    return QString::number(number) + (called ? QStringLiteral(", called") : QStringLiteral(", not called"));
}

void showCall(QLabel* label, const QString& caption)
{
    label->setText(caption);
    label->setAccessibleName(caption.isEmpty() ? QStringLiteral("Current call: none")
                                               : QStringLiteral("Current call: ") + caption);
    // Qt 6.4 changes the name without telling assistive technology, so tell it here.
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}
