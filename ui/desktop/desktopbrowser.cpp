#include "ui/desktop/desktopbrowser.h"

#include "ui/titlebar/titlebarchoice.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopBrowser::open(const QString& address)
{
    // The address is stored already percent-encoded and must reach the browser unchanged.
    const QUrl url = QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode);
    TitleBarChoice::withHostsChoice([&url] { QDesktopServices::openUrl(url); });
}
