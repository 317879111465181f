#pragma once

#include <QLabel>

// A picture in a control of its own: unlike a label it is not part of its window's surface, so
// it stays in front of any label it overlaps.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};
