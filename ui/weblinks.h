#pragma once

#include <QString>

class Browser;

// The maker's pages, fixed text on one site. The card page's path is stored already
// percent-encoded and handed over unchanged.
namespace WebAddress {
inline const QString Site = QStringLiteral("http://www.zentrova.com");
inline const QString HomePage = Site + QStringLiteral("/zentrova.htm");
inline const QString BingoCardsPage = Site + QStringLiteral("/Bingo%20Cards.htm");
}

// Opens the maker's pages; touches no game state and no timer.
class WebLinks {
public:
    explicit WebLinks(Browser& browser);

    void mnuGetBingoCards_Click();
    void lblbyzentrova_Click();

private:
    Browser& m_browser;
};
