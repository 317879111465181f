#pragma once

#include "ui/platform/yesnobox.h"

// Qt's question box, kept in its normal state like the program's own windows.
class QtYesNoBox final : public YesNoBox {
public:
    int ask(QWidget* owner, const QString& text, const QString& title) override;
};
