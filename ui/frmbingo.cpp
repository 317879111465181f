#include "ui/frmbingo.h"

#include "ui/artwork.h"
#include "ui/borderlines.h"
#include "ui/callmarks.h"
#include "ui/callnotice.h"
#include "ui/captionedframe.h"
#include "ui/clickablelabel.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/placement.h"
#include "ui/stacking.h"
#include "ui/windowstates.h"

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

// Option buttons and check boxes are reached by mouse only; Tab skips them.
template <typename Control>
Control* makeClickOnly(QWidget* parent, const ControlSpec& spec)
{
    Control* control = makeControl<Control>(parent, spec);
    control->setFocusPolicy(Qt::ClickFocus);
    setBackColor(control, White);
    useUsualScheme(control);
    // Its caption is never cut: where the face is wider than the box was made for, the box grows
    // to the right, over empty window.
    control->resize(std::max(control->width(), control->sizeHint().width()), control->height());
    return control;
}

// A label in the window colours with a plain single-line border, which the border lines draw.
QLabel* makeBorderedLabel(BorderLines* lines, const ControlSpec& spec, Qt::Alignment alignment)
{
    QLabel* label = makeControl<QLabel>(lines->parentWidget(), spec);
    label->setIndent(0);
    label->setAlignment(alignment);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    lines->add(label);
    return label;
}

template <typename Label>
Label* makeMaroonLabel(Label* label)
{
    setForeColor(label, Maroon);
    return label;
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

    opt75Number = makeClickOnly<QRadioButton>(client, Layout::opt75Number);
    opt90Number = makeClickOnly<QRadioButton>(client, Layout::opt90Number);
    // Left ungrouped, the two would count the seconds options inside the frame as members of
    // their own group, and a click on the selected size would clear it.
    auto* sizes = new QButtonGroup(this);
    sizes->addButton(opt75Number);
    sizes->addButton(opt90Number);

    cmdNextNumber = makeControl<QPushButton>(client, Layout::cmdNextNumber);
    cmdNextNumber->setFocusPolicy(Qt::StrongFocus);
    cmdNextNumber->setDefault(true);

    lblbyzentrova = makeMaroonLabel(makeControl<ClickableLabel>(client, Layout::lblbyzentrova));
    lblbyzentrova->setCursor(handCursor());
    lbltrademark = makeMaroonLabel(makeControl<QLabel>(client, Layout::lbltrademark));
    lbltrademark->setAccessibleName("trademark");
    // Both sized to their text, in whatever face it is drawn.
    lblbyzentrova->adjustSize();
    lbltrademark->adjustSize();

    chkSound = makeClickOnly<QCheckBox>(client, Layout::chkSound);
    chkRepeat = makeClickOnly<QCheckBox>(client, Layout::chkRepeat);
    chkAutoPlay = makeClickOnly<QCheckBox>(client, Layout::chkAutoPlay);

    optAutoPlayInterval = makeControl<CaptionedFrame>(client, Layout::optAutoPlayInterval);
    setBackColor(optAutoPlayInterval, White);
    useUsualScheme(optAutoPlayInterval);
    optAutoPlayInterval->setEnabled(false);
    for (int index = Layout::FirstSecondsOption; index <= Layout::LastSecondsOption; ++index) {
        const ControlSpec& spec = Layout::optSeconds[index - Layout::FirstSecondsOption];
        QRadioButton* option = makeClickOnly<QRadioButton>(optAutoPlayInterval, spec);
        // Heard alone, a bare "7" means nothing.
        option->setAccessibleName(option->text() + " seconds");
        optSeconds.set(index, option);
    }

    stackLabelsBeneathControls(this);
    lines->raise();
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
        QLabel* label = makeBorderedLabel(lines, square, Qt::AlignCenter);
        label->setText(QString::number(i + 1));
        // In the colours New Game gives it, so that a board looks the same before and after.
        markUncalled(label);
        label->setVisible(i < 75);
        lblCalled[i] = label;
    }
}

// The window's default button: Enter anywhere in the window presses Next Number while it is
// enabled. A modal window blocks the shortcut, since it is bound to this window.
void frmBingo::routeEnterToNextNumber()
{
    auto* enter = new QShortcut(this);
    enter->setKeys({ QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) });
    enter->setContext(Qt::WindowShortcut);
    connect(enter, &QShortcut::activated, this, [this] {
        if (cmdNextNumber->isEnabled())
            cmdNextNumber->click();
    });
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
