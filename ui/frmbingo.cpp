#include "ui/frmbingo.h"

#include "ui/accessibleinterfaces.h"
#include "ui/artwork.h"
#include "ui/callmarks.h"
#include "ui/callnotice.h"
#include "ui/captionedframe.h"
#include "ui/clickablelabel.h"
#include "ui/desktop/borderlines.h"
#include "ui/desktop/colours.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/placement.h"
#include "ui/desktop/windowstates.h"
#include "ui/nextnumberbutton.h"
#include "ui/stacking.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <cassert>
#include <vector>

namespace Layout = MainWindowLayout;

namespace {

template <typename Control>
Control* place(Control* control, const ControlSpec& spec)
{
    control->setGeometry(spec.rect.toPixels());
    control->setFont(fontFor(spec.font));
    if (spec.toolTip)
        control->setToolTip(QString::fromLatin1(spec.toolTip));
    return control;
}

template <typename Control>
Control* makeControl(QWidget* parent, const ControlSpec& spec)
{
    return place(new Control(QString::fromLatin1(spec.caption), parent), spec);
}

// Option buttons and check boxes on their white ground; a host without a mouse reaches them
// with Tab, and the arrow keys move within a group of options.
template <typename Control>
Control* makeSwitch(QWidget* parent, const ControlSpec& spec)
{
    Control* control = makeControl<Control>(parent, spec);
    control->setFocusPolicy(Qt::StrongFocus);
    setBackColor(control, White);
    useUsualScheme(control);
    // Its caption is never cut: where the face is wider than the box was made for, the box grows
    // to the right, over empty window.
    control->resize(std::max(control->width(), control->sizeHint().width()), control->height());
    return control;
}

// A label in the window colours with a plain single-line border, which the border lines draw,
// in the label's text colour unless given one.
QLabel* makeBorderedLabel(BorderLines* lines, const ControlSpec& spec, Qt::Alignment alignment, QColor border = {})
{
    QLabel* label = makeControl<QLabel>(lines->parentWidget(), spec);
    label->setIndent(0);
    label->setAlignment(alignment);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    lines->add(label, border);
    return label;
}

template <typename Label>
Label* makeMaroonLabel(Label* label)
{
    setForeColor(label, Maroon);
    return label;
}

// Sized to its text in whatever face it is drawn, ink and all: an unsmoothed glyph may reach
// a pixel past its advance.
void fitToText(QLabel* label)
{
    label->adjustSize();
    const QRect ink = label->fontMetrics().tightBoundingRect(label->text());
    label->resize(std::max(label->width(), ink.right() + 1), label->height());
}

// Tab stops at the selected option of a group, as hosts expect; Qt would stop at whichever
// option last had the focus.
void tabToSelectedOption(const std::vector<QRadioButton*>& group)
{
    for (QRadioButton* option : group) {
        QObject::connect(option, &QRadioButton::toggled, option, [group] {
            for (QRadioButton* member : group)
                member->setFocusPolicy(member->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }
}

} // namespace

QRadioButton* SecondsOptions::operator()(int index) const
{
    assert(index >= Layout::FirstSecondsOption && index <= Layout::LastSecondsOption);
    return m_options[index - Layout::FirstSecondsOption];
}

void SecondsOptions::set(int index, QRadioButton* option)
{
    m_options[index - Layout::FirstSecondsOption] = option;
}

int SecondsOptions::selectedIndex() const
{
    for (int index = Layout::FirstSecondsOption; index <= Layout::LastSecondsOption; ++index) {
        if ((*this)(index)->isChecked())
            return index;
    }
    return 0;
}

frmBingo::frmBingo(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    // Before any control exists, so that none is ever presented by Qt's own interfaces.
    installAccessibleInterfaces();
    setWindowIcon(applicationIcon());
    buildMenus();

    auto* client = new QWidget(this);
    client->setFixedSize(pixels(Layout::ClientWidth), pixels(Layout::ClientHeight));
    setBackColor(client, White);
    setCentralWidget(client);

    auto* lines = new BorderLines(client);
    lblCurrent_Call = makeBorderedLabel(lines, Layout::lblCurrent_Call, Qt::AlignHCenter | Qt::AlignTop);
    callNotice = new CallNotice(client);
    callNotice->move(lblCurrent_Call->pos());
    showCall(*this, QString());
    for (int i = 0; i < Layout::ColumnLetterCount; ++i)
        lblBingo[i] = makeBorderedLabel(lines, Layout::lblBingo[i], Qt::AlignHCenter | Qt::AlignTop);
    lblBingo[5] = makeControl<QLabel>(client, Layout::lblBingo[5]);
    lblBingo[5]->setForegroundRole(QPalette::ButtonText);
    useUsualScheme(lblBingo[5]);
    buildBoard(lines);

    opt75Number = makeSwitch<QRadioButton>(client, Layout::opt75Number);
    opt90Number = makeSwitch<QRadioButton>(client, Layout::opt90Number);
    // Left ungrouped, the two would count the seconds options inside the frame as members of
    // their own group, and a click on the selected size would clear it.
    auto* sizes = new QButtonGroup(this);
    sizes->addButton(opt75Number);
    sizes->addButton(opt90Number);

    cmdNextNumber = makeControl<NextNumberButton>(client, Layout::cmdNextNumber);
    cmdNextNumber->setFocusPolicy(Qt::StrongFocus);
    cmdNextNumber->setDefault(true);

    lblbyzentrova = makeMaroonLabel(makeControl<ClickableLabel>(client, Layout::lblbyzentrova));
    lblbyzentrova->setCursor(handCursor());
    lbltrademark = makeMaroonLabel(makeControl<QLabel>(client, Layout::lbltrademark));
    lbltrademark->setAccessibleName("trademark");
    fitToText(lblbyzentrova);
    fitToText(lbltrademark);

    chkSound = makeSwitch<QCheckBox>(client, Layout::chkSound);
    chkRepeat = makeSwitch<QCheckBox>(client, Layout::chkRepeat);
    chkAutoPlay = makeSwitch<QCheckBox>(client, Layout::chkAutoPlay);

    optAutoPlayInterval = makeControl<CaptionedFrame>(client, Layout::optAutoPlayInterval);
    setBackColor(optAutoPlayInterval, White);
    useUsualScheme(optAutoPlayInterval);
    optAutoPlayInterval->setEnabled(false);
    for (int index = Layout::FirstSecondsOption; index <= Layout::LastSecondsOption; ++index) {
        const ControlSpec& spec = Layout::optSeconds[index - Layout::FirstSecondsOption];
        QRadioButton* option = makeSwitch<QRadioButton>(optAutoPlayInterval, spec);
        // Heard alone, a bare "7" means nothing.
        option->setAccessibleName(option->text() + " seconds");
        optSeconds.set(index, option);
    }

    stackLabelsBeneathControls(this);
    lines->raise();
    orderTabStops();
    setFocusProxy(cmdNextNumber);
    routeEnterToNextNumber();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    keepNormalState(this);
}

void frmBingo::buildMenus()
{
    menuBar()->setAccessibleName("Menu bar");
    mnuOptions = menuBar()->addMenu("Options");
    mnuOptions->setAccessibleName(mnuOptions->title());
    mnuNewGame = mnuOptions->addAction("New Game");
    mnuGetBingoCards = mnuOptions->addAction("Get bingo Cards");
    mnuHelp = menuBar()->addMenu("Help");
    mnuHelp->setAccessibleName(mnuHelp->title());
    mnuAbout = mnuHelp->addAction("About");
}

void frmBingo::buildBoard(BorderLines* lines)
{
    for (int i = 0; i < static_cast<int>(lblCalled.size()); ++i) {
        const ControlSpec square { "", Layout::boardSquare(i), Layout::SquareFont };
        // The grid stays black whether a square is called or not: a called square's black fill
        // then runs into its lines rather than being framed in its white text colour, and the
        // board's outer line beside it stays whole.
        QLabel* label = makeBorderedLabel(lines, square, Qt::AlignCenter, QColor::fromRgb(Black));
        label->setText(QString::number(i + 1));
        // In the colours New Game gives it, so that a board looks the same before and after.
        markUncalled(label);
        label->setVisible(i < 75);
        lblCalled[i] = label;
    }
}

// In the order a host works down the window: call, sound, AutoPlay and its pace, then the game
// size and the maker's page.
void frmBingo::orderTabStops()
{
    std::vector<QRadioButton*> seconds;
    for (int index = Layout::FirstSecondsOption; index <= Layout::LastSecondsOption; ++index)
        seconds.push_back(optSeconds(index));
    tabToSelectedOption(seconds);
    tabToSelectedOption({ opt75Number, opt90Number });
    std::vector<QWidget*> order { cmdNextNumber, chkSound, chkRepeat, chkAutoPlay };
    order.insert(order.end(), seconds.begin(), seconds.end());
    order.insert(order.end(), { opt75Number, opt90Number, lblbyzentrova });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Enter anywhere in the window asks for the default button. A modal window blocks the shortcut,
// since it is bound to this window.
void frmBingo::routeEnterToNextNumber()
{
    auto* enter = new QShortcut(this);
    enter->setKeys({ QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) });
    enter->setContext(Qt::WindowShortcut);
    connect(enter, &QShortcut::activated, this, &frmBingo::enterPressed);
}

// The window's default button: Enter presses Next Number while it is enabled.
void frmBingo::pressDefaultButton()
{
    if (cmdNextNumber->isEnabled())
        cmdNextNumber->click();
}

void frmBingo::centreOnScreen()
{
    move(placeOnScreen(frameGeometry().size(), screen()->availableGeometry()));
}

void frmBingo::closeEvent(QCloseEvent* event)
{
    emit unloading();
    QMainWindow::closeEvent(event);
}
