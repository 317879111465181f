#include "ui/desktop/desktopbrowser.h"
#include "ui/titlebar/titlebarchoice.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QObject>
#include <QProcessEnvironment>
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

// Where the program chose its own title bar, the browser starts through the desktop's opener in
// an environment of its own, the host's, and the program's environment is never edited, not even
// while the browser starts. Where the host chose one, the program's environment is the host's,
// and Qt's own way of opening an address serves; as it does when the opener cannot start.
TEST(DesktopBrowser, StartsInTheHostsEnvironmentWithoutEditingTheProgramsOwn)
{
    const struct {
        const char* rule;
        std::optional<QByteArray> host;
        bool openerStarts;
        QByteArray program;
        bool throughOpener;
    } rows[] {
        { "own title bar", std::nullopt, true, "lottovox", true },
        { "own title bar, no opener", std::nullopt, false, "lottovox", false },
        { "host's title bar", QByteArray("bradient"), true, "bradient", false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        qunsetenv(Variable);
        if (row.host)
            qputenv(Variable, *row.host);
        TitleBarChoice::chooseOwn("lottovox");
        BrowserStart qtWay;
        QDesktopServices::setUrlHandler("https", &qtWay, "open");
        struct {
            QString program;
            QStringList arguments;
            std::optional<QByteArray> inherited;
            std::optional<QByteArray> programsOwn;
        } opener;
        DesktopBrowser browser([&](const QString& program, const QStringList& arguments,
                                   const QProcessEnvironment& environment) {
            opener = { program, arguments,
                environment.contains(Variable) ? std::optional(environment.value(Variable).toLatin1()) : std::nullopt,
                titleBarChoice() };
            return row.openerStarts;
        });
        browser.open("https://example.org/cards%20page.htm");
        QDesktopServices::unsetUrlHandler("https");

        if (row.throughOpener) {
            EXPECT_EQ(opener.program, "xdg-open");
            EXPECT_EQ(opener.arguments, QStringList("https://example.org/cards%20page.htm"));
            EXPECT_EQ(opener.inherited, row.host) << "the browser's environment";
            EXPECT_EQ(opener.programsOwn, std::optional(row.program)) << "the program's, as the browser starts";
            EXPECT_FALSE(qtWay.started);
        } else {
            EXPECT_TRUE(qtWay.started);
            EXPECT_EQ(qtWay.inherited, std::optional(row.program));
        }
        EXPECT_EQ(titleBarChoice(), std::optional(row.program)) << "the program's own windows";
        qunsetenv(Variable);
    }
}

} // namespace

#include "browser_test.moc"
