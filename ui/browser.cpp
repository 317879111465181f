#include "ui/browser.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopBrowser::open(const QString& address)
{
    // The address is stored already percent-encoded and must reach the browser unchanged.
    QDesktopServices::openUrl(QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode));
}
