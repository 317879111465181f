#pragma once

#include "ui/platform/browser.h"

// The desktop's default browser, started in the environment the host gave the program.
class DesktopBrowser final : public Browser {
public:
    void open(const QString& address) override;
};
