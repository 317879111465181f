#pragma once

#include "ui/platform/browser.h"

#include <QProcessEnvironment>
#include <QStringList>

#include <functional>

// The desktop's default browser, started in the environment the host gave the program.
class DesktopBrowser final : public Browser {
public:
    // Starts a program and leaves it running; false if it could not be started.
    using Start = std::function<bool(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment)>;

    explicit DesktopBrowser(Start start = startDetached);

    void open(const QString& address) override;

    static bool startDetached(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment);

private:
    Start m_start;
};
