#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

class QLabel;

// The plain single-line borders of a window's boxed labels (the current call, the letters, the
// board's squares), each in its label's text colour or in a colour of its own, drawn above the
// labels on whole device pixels. At a fractional scale (125 %, 150 %) a label's own frame would
// fall on whichever pixels its edges round to, so that touching boxes left a line doubled with a
// gap, or none; here both sides of a shared edge round it alike, every line is as wide as the
// scale rounds one pixel to, and the boxes meet as they do at 100 %.
// It is no control, and accessibility tools meet it as a plain container.
class BorderLines : public QWidget {
public:
    explicit BorderLines(QWidget* parent);

    // A label whose border this draws; it keeps a one-pixel margin for it. Without a colour,
    // the border takes the label's text colour as it is when drawn.
    void add(QLabel* label, QColor colour = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Boxed {
        QLabel* label;
        QColor colour;
    };
    std::vector<Boxed> m_labels;
};
