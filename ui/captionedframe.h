#pragma once

#include <QGroupBox>

// A frame drawn as the window layouts place it: the caption sits on the frame's top line, which
// is broken behind it, and the frame's controls lie below that line. Qt's styles would draw the
// caption above a box that starts lower, across the top of the controls inside.
class CaptionedFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    // Where the caption is drawn; the top line runs through its middle and is left out there.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
