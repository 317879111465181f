#include "ui/callmarks.h"

#include "ui/callnotice.h"
#include "ui/desktop/colours.h"
#include "ui/frmbingo.h"

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

void showCall(frmBingo& form, const QString& caption)
{
    form.lblCurrent_Call->setText(caption);
    form.lblCurrent_Call->setAccessibleName(caption.isEmpty() ? QStringLiteral("Current call: none")
                                                              : QStringLiteral("Current call: ") + caption);
    form.callNotice->announce(caption);
}
