#include "ui/weblinks.h"

#include "ui/platform/browser.h"

WebLinks::WebLinks(Browser& browser)
    : m_browser(browser)
{
}

void WebLinks::mnuGetBingoCards_Click() { m_browser.open(WebAddress::BingoCardsPage); }

void WebLinks::lblbyzentrova_Click() { m_browser.open(WebAddress::HomePage); }
