#include "ui/stacking.h"

#include "ui/picturebox.h"

#include <QLabel>

namespace {

bool isLabel(const QWidget* widget)
{
    return qobject_cast<const QLabel*>(widget) && !qobject_cast<const PictureBox*>(widget);
}

} // namespace

void stackLabelsBeneathControls(QWidget* window)
{
    QList<QWidget*> containers { window };
    containers += window->findChildren<QWidget*>();
    for (QWidget* container : containers) {
        const QList<QWidget*> children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        // Lowering the last label first leaves the first one at the bottom, as before.
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            if (isLabel(*child))
                (*child)->lower();
        }
    }
}
