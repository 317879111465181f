#include "ui/desktop/qtyesnobox.h"

#include "ui/desktop/windowstates.h"

#include <QMessageBox>

int QtYesNoBox::ask(QWidget* owner, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    keepNormalState(&box);
    return box.exec() == QMessageBox::Yes ? Yes : No;
}
