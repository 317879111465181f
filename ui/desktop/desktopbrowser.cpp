#include "ui/desktop/desktopbrowser.h"

#include "ui/titlebar/titlebarchoice.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

DesktopBrowser::DesktopBrowser(Start start)
    : m_start(std::move(start))
{
}

void DesktopBrowser::open(const QString& address)
{
    // The address is stored already percent-encoded and must reach the browser unchanged.
    const QUrl url = QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode);
    // Where the program chose its own title bar, the desktop's opener of addresses is started in
    // an environment of its own, the host's; the program's is not touched, as other threads
    // (SDL's, the sound server's, D-Bus's) may be reading it. Without that opener, Qt finds a
    // browser its own way, which passes the program's choice on.
    if (const std::optional<QProcessEnvironment> environment = TitleBarChoice::hostsEnvironment()) {
        if (m_start(QStringLiteral("xdg-open"), { QString::fromLatin1(url.toEncoded()) }, *environment))
            return;
    }
    QDesktopServices::openUrl(url);
}

bool DesktopBrowser::startDetached(
    const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}
