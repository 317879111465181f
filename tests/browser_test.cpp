#include "ui/desktop/desktopbrowser.h"
#include "ui/titlebar/titlebarchoice.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr char Variable[] = "QT_WAYLAND_DECORATION";

std::optional<QByteArray> titleBarChoice()
{
    return qEnvironmentVariableIsSet(Variable) ? std::optional(qgetenv(Variable)) : std::nullopt;
}

// Takes the browser's place: the title-bar choice the browser would inherit as it starts.
class BrowserStart : public QObject {
    Q_OBJECT
public:
    std::optional<QByteArray> inherited;
    bool started = false;

public slots:
    void open(const QUrl&)
    {
        started = true;
        inherited = titleBarChoice();
    }
};

// The browser starts with the host's title-bar choice, or none, while the program's own
// windows keep the program's: its own where the host chose none, else the host's.
TEST(DesktopBrowser, StartsWithTheHostsTitleBarChoiceNotTheProgramsOwn)
{
    const struct {
        std::optional<QByteArray> host;
        QByteArray program;
    } rows[] { { std::nullopt, "lottovox" }, { QByteArray("bradient"), "bradient" } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.host.value_or("none").toStdString());
        qunsetenv(Variable);
        if (row.host)
            qputenv(Variable, *row.host);
        TitleBarChoice::chooseOwn("lottovox");
        BrowserStart browser;
        QDesktopServices::setUrlHandler("https", &browser, "open");
        DesktopBrowser().open("https://example.org/cards.htm");
        QDesktopServices::unsetUrlHandler("https");
        EXPECT_TRUE(browser.started);
        EXPECT_EQ(browser.inherited, row.host);
        EXPECT_EQ(titleBarChoice(), std::optional(row.program)) << "the program's own windows";
        qunsetenv(Variable);
    }
}

} // namespace

#include "browser_test.moc"
