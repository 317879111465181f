// The main window drawn under dark and high-contrast schemes: every text readable and whole,
// every border line whole, at whatever scale and with whatever fonts the test is run.
#include "support/lottovoxfixture.h"

#include "ui/callnotice.h"
#include "ui/captionedframe.h"
#include "ui/desktop/colours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace {

double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text keeps the widths its box was made for: it is drawn in the face it names or, where the
// host lacks that face, in the stand-in of the same widths that the program ships.
bool drawnInItsFaceOrItsStandIn(const QFont& font)
{
    const QString serif[] { "Liberation Serif", "Tinos" };
    const QString sans[] { "Liberation Sans", "Arimo" };
    const QString drawn = QFontInfo(font).family();
    const auto& standIns = font.family() == "MS Sans Serif" ? sans : serif;
    return drawn == font.family() || std::find(std::begin(standIns), std::end(standIns), drawn) != std::end(standIns);
}

// The main window as the screen shows it, one image pixel per device pixel, and where a
// control lies in it: from the device pixel nearest its top left edge to the one before the
// nearest to its bottom right edge.
class Picture {
public:
    explicit Picture(QWidget* window)
        : m_window(window)
        , m_image(window->grab().toImage())
        , m_scale(window->devicePixelRatioF())
    {
    }

    QRect box(const QWidget* control, QRect area = {}) const
    {
        if (area.isNull())
            area = control->rect();
        const QRectF logical(control->mapTo(m_window, area.topLeft()), area.size());
        const auto nearest = [this](qreal edge) { return static_cast<int>(std::lround(edge * m_scale)); };
        return QRect(QPoint(nearest(logical.left()), nearest(logical.top())),
            QPoint(nearest(logical.right()) - 1, nearest(logical.bottom()) - 1));
    }
    QRgb at(int x, int y) const { return m_image.pixel(x, y) & 0xFFFFFF; }
    int lineWidth() const { return std::max(1, static_cast<int>(std::lround(m_scale))); }
    const QImage& image() const { return m_image; }

    // The colour that most of an area has: the background behind its text.
    QRgb background(QRect area) const
    {
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[at(x, y)];
        }
        return std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
            [](auto a, auto b) { return a.second < b.second; })->first;
    }

    double strongestContrast(QRect area, QRgb behind) const
    {
        double strongest = 1;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                strongest = std::max(strongest, contrast(at(x, y), behind));
        }
        return strongest;
    }

    // Runs of pixels that stand out from the background along a line, as (start, length).
    std::vector<std::pair<int, int>> runs(QPoint from, QPoint step, int count, QRgb behind) const
    {
        std::vector<std::pair<int, int>> found;
        QPoint point = from;
        for (int i = 0; i < count; ++i, point += step) {
            if (contrast(at(point.x(), point.y()), behind) < 3)
                continue;
            if (!found.empty() && found.back().first + found.back().second == i)
                ++found.back().second;
            else
                found.emplace_back(i, 1);
        }
        return found;
    }

private:
    QWidget* m_window;
    QImage m_image;
    qreal m_scale;
};

struct Scheme {
    const char* name;
    QRgb window, windowText, base, text, button, buttonText, disabledText;
};

// A dark scheme as desktop themes ship it, and a high-contrast one: white on black.
const Scheme Dark { "dark", 0x353535, 0xEEEEEE, 0x3D3D3D, 0xEEEEEE, 0x353535, 0xEEEEEE, 0x808080 };
const Scheme HighContrast { "high contrast", 0x000000, 0xFFFFFF, 0x000000, 0xFFFF00, 0x000000, 0xFFFFFF, 0x00FF00 };

QPalette paletteOf(const Scheme& scheme)
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, QRgb colour) {
        palette.setColor(role, QColor::fromRgb(colour));
        palette.setColor(QPalette::Inactive, role, QColor::fromRgb(colour));
    };
    set(QPalette::Window, scheme.window);
    set(QPalette::WindowText, scheme.windowText);
    set(QPalette::Base, scheme.base);
    set(QPalette::AlternateBase, scheme.base);
    set(QPalette::Text, scheme.text);
    set(QPalette::Button, scheme.button);
    set(QPalette::ButtonText, scheme.buttonText);
    set(QPalette::Light, scheme.window);
    set(QPalette::Mid, scheme.disabledText);
    set(QPalette::Dark, scheme.disabledText);
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, QColor::fromRgb(scheme.disabledText));
    return palette;
}

// The main window as a host sees it on a desktop with a dark or high-contrast scheme, run at
// any scale (QT_SCALE_FACTOR) with any fonts (fontconfig limited to other faces, or to some
// of the named ones).
class Rendering : public LottovoxTest, public ::testing::WithParamInterface<Scheme> {
protected:
    void SetUp() override
    {
        m_savedStyle = QApplication::style()->name();
        m_saved = QApplication::palette();
#ifdef Q_OS_WIN
        // Windows draws these schemes in its classic style: visual themes are off in high
        // contrast, and Qt's themed style draws classically in dark mode.
        QApplication::setStyle(QStringLiteral("Windows"));
#endif
        QApplication::setPalette(paletteOf(GetParam()));
        LottovoxTest::SetUp();
    }
    void TearDown() override
    {
        LottovoxTest::TearDown();
        QApplication::setStyle(m_savedStyle);
        QApplication::setPalette(m_saved);
    }

    QString m_savedStyle;
    QPalette m_saved;

    // Every enabled text of the window against what is behind it, and none wider or taller
    // than its box in the face it is drawn in. A call cut at its box would leave ink in the
    // pixels just inside the box's border.
    void expectTextsReadableAndWhole(const char* moment)
    {
        SCOPED_TRACE(moment);
        const Picture picture(&form());
        const int width = picture.lineWidth();
        for (QWidget* control : form().findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(control);
            auto* button = qobject_cast<QAbstractButton*>(control);
            auto* frame = qobject_cast<CaptionedFrame*>(control);
            if ((!label && !button && !frame) || !control->isVisibleTo(&form()) || !control->isEnabled()
                || qobject_cast<CallNotice*>(control->parentWidget()))
                continue;
            const QString text = label ? label->text() : button ? button->text() : frame->title();
            if (text.isEmpty())
                continue;
            SCOPED_TRACE(text.toStdString());
            const bool bordered = label && label->contentsRect() != label->rect();
            QRect area = control->rect();
            if (frame) {
                area = frame->captionRect();
            } else if (button && !qobject_cast<QPushButton*>(button)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = text;
                const auto element = qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                         : QStyle::SE_CheckBoxContents;
                // The caption starts beside the indicator and is drawn unclipped up to the
                // control's right edge.
                area.setLeft(control->style()->subElementRect(element, &option, control).left());
            }
            QRect box = picture.box(control, area);
            if (bordered)
                box.adjust(width, width, -width, -width);
            const QRgb behind = picture.background(box);
            EXPECT_GE(picture.strongestContrast(box, behind), 4.5);

            EXPECT_TRUE(drawnInItsFaceOrItsStandIn(control->font()))
                << "drawn in " << QFontInfo(control->font()).family().toStdString();
            const QRect ink = QFontMetrics(control->font()).tightBoundingRect(text);
            EXPECT_LE(ink.width(), area.width()) << "wider than its box";
            if (label) {
                EXPECT_LE(ink.height(), area.height()) << "taller than its box";
            }
            if (control == form().lblCurrent_Call) {
                for (const QRect edge : { QRect(box.left(), box.top(), 1, box.height()),
                         QRect(box.right(), box.top(), 1, box.height()),
                         QRect(box.left(), box.bottom(), box.width(), 1) })
                    EXPECT_LT(picture.strongestContrast(edge, behind), 1.5) << "cut at its box";
            }
        }
    }

    // Along a line across touching and overlapping boxes, each boundary is one run of border
    // pixels, one or two lines wide, never a line with a gap beside it or a missing line.
    void expectWholeLines(const Picture& picture, QPoint from, QPoint step, int count, QRgb behind, int boundaries)
    {
        const auto lines = picture.runs(from, step, count, behind);
        EXPECT_EQ(static_cast<int>(lines.size()), boundaries);
        for (const auto& [start, length] : lines) {
            EXPECT_TRUE(length == picture.lineWidth() || length == 2 * picture.lineWidth())
                << "a line " << length << " pixels wide at " << start;
        }
    }

    void expectBordersWhole(int columns)
    {
        SCOPED_TRACE(columns);
        const Picture picture(&form());
        const int width = picture.lineWidth();
        // Through the current-call box just inside its left line: its top and bottom lines.
        const QRect call = picture.box(form().lblCurrent_Call);
        const QRgb callBehind = picture.background(call.adjusted(width, width, -width, -width));
        const auto callLines = picture.runs({ call.left() + width + 1, call.top() }, { 0, 1 }, call.height(), callBehind);
        ASSERT_EQ(callLines.size(), 2u);
        EXPECT_EQ(callLines[0], std::make_pair(0, width));
        EXPECT_EQ(callLines[1], std::make_pair(call.height() - width, width));
        // Across the board's first row just below its top line, and down its first column
        // just right of its left line, through every square.
        const QRect first = picture.box(form().lblCalled[0]);
        const QRect last = picture.box(form().lblCalled[columns * 15 - 1]);
        const QRgb behind = picture.background(first.adjusted(width, width, -width, -width));
        expectWholeLines(picture, { first.left() - 1, first.top() + width + 1 }, { 1, 0 },
            last.right() - first.left() + 3, behind, columns + 1);
        expectWholeLines(picture, { first.left() + width + 1, first.top() }, { 0, 1 },
            last.bottom() - first.top() + 1, behind, 16);
    }

    // Along a line just inside a called square's top, and one just inside its left, the two
    // grid lines the line crosses on the board as it was before the call become one run of
    // black, from the outer edge of the one to the outer edge of the other: the fill meets
    // both lines and neither is lost, the board's outer line included.
    void expectCalledSquaresMeetTheGrid(const Picture& uncalled)
    {
        const Picture called(&form());
        const int width = called.lineWidth();
        const int margin = 2 * width;
        for (const QLabel* square : form().lblCalled) {
            if (backColor(square) != Black)
                continue;
            SCOPED_TRACE(square->text().toStdString());
            const QRect box = called.box(square);
            const struct {
                QPoint from, step;
                int count;
            } scans[] { { { box.left() - margin, box.top() + width + 1 }, { 1, 0 }, box.width() + 2 * margin },
                { { box.left() + width + 1, box.top() - margin }, { 0, 1 }, box.height() + 2 * margin } };
            for (const auto& scan : scans) {
                const auto lines = uncalled.runs(scan.from, scan.step, scan.count, White);
                ASSERT_EQ(lines.size(), 2u) << "the grid beside an uncalled square";
                const int start = lines.front().first;
                const int end = lines.back().first + lines.back().second;
                EXPECT_EQ(called.runs(scan.from, scan.step, scan.count, White),
                    (std::vector<std::pair<int, int>> { { start, end - start } }))
                    << "the square's fill and grid along " << scan.step.x() << "," << scan.step.y();
            }
        }
    }
};

TEST_P(Rendering, EveryTextStandsOutWholeAndEveryBorderIsWhole)
{
    // A run for a scale set on the host's side (Windows' DPI under Wine) names it, so that a
    // setting the host ignored does not pass for a check at that scale.
    if (const QByteArray scale = qgetenv("LOTTOVOX_TEST_SCALE"); !scale.isEmpty()) {
        ASSERT_DOUBLE_EQ(form().devicePixelRatioF(), scale.toDouble()) << "the window's scale";
    }
    for (const QLabel* square : form().lblCalled)
        EXPECT_EQ(backColor(square), White) << "a board starts in the colours of a new game";
    expectBordersWhole(5);
    const Picture seventyFive(&form());
    startAutoPlay();
    expectTextsReadableAndWhole("AutoPlay on, nothing called");
    click(form().chkAutoPlay);
    pressNextNumber();
    // Beside the board's left, bottom and right lines, none beside another or the first call.
    for (const int number : { 7, 45, 68 }) {
        clock.advance(5000);
        makeNextCall(number);
        pressNextNumber();
        ASSERT_EQ(shared().CurrentNumber, number);
        expectTextsReadableAndWhole(qPrintable(form().lblCurrent_Call->text()));
    }
    expectCalledSquaresMeetTheGrid(seventyFive);
    clock.advance(5000);
    answerNewGame(6);
    selectNinety();
    expectBordersWhole(6);
    expectTextsReadableAndWhole("90-number play");
    const Picture ninety(&form());
    pressNextNumber();
    // The top left corner, and the sixth column's right line.
    for (const int number : { 1, 83 }) {
        clock.advance(5000);
        makeNextCall(number);
        pressNextNumber();
        ASSERT_EQ(shared().CurrentNumber, number);
    }
    expectCalledSquaresMeetTheGrid(ninety);
}

std::string schemeName(const ::testing::TestParamInfo<Scheme>& scheme)
{
    return scheme.param.name == Dark.name ? "Dark" : "HighContrast";
}

INSTANTIATE_TEST_SUITE_P(Schemes, Rendering, ::testing::Values(Dark, HighContrast), schemeName);

} // namespace
