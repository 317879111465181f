#include "ui/frmabout.h"

#include "ui/aboutwindowlayout.h"
#include "ui/artwork.h"
#include "ui/clickablelabel.h"
#include "ui/desktop/colours.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/windowstates.h"
#include "ui/picturebox.h"
#include "ui/stacking.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace Layout = AboutWindowLayout;

namespace {

template <typename Control>
Control* makeControl(QWidget* parent, const ControlSpec& spec)
{
    auto* control = new Control(QString::fromLatin1(spec.caption), parent);
    control->setGeometry(spec.rect.toPixels());
    control->setFont(fontFor(spec.font));
    return control;
}

} // namespace

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle("About Lottovox");
    setFixedSize(pixels(Layout::ClientWidth), pixels(Layout::ClientHeight));
    setBackColor(this, White);

    cmdOK = makeControl<QPushButton>(this, Layout::cmdOK);
    cmdOK->setDefault(false);

    picIcon = makeControl<PictureBox>(this, Layout::picIcon);
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(bingoCardPicture());
    picIcon->setAccessibleName("Bingo card");

    lblDescription = makeControl<QLabel>(this, Layout::lblDescription);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setForeColor(lblDescription, Black);

    lblbyzentrova = makeControl<ClickableLabel>(this, Layout::lblbyzentrova);
    setForeColor(lblbyzentrova, Maroon);
    lblbyzentrova->setCursor(handCursor());
    lblTM = makeControl<QLabel>(this, Layout::lblTM);
    setForeColor(lblTM, Maroon);
    lblTM->setAccessibleName("trademark");

    stackLabelsBeneathControls(this);
    keepNormalState(this);
    cmdOK->setFocus();
}

// Closing by OK and by the title bar's close button are one and the same.
void frmAbout::cmdOK_Click() { accept(); }

// The window has no cancel button: Escape does nothing.
void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
