#pragma once

#include <QCheckBox>
#include <QRadioButton>

// A check box's or option button's Click handler runs whenever its state changes, whether
// the user clicked it or the program set it, nested inside the assignment; setting the state
// it already has raises nothing. An option button raises Click only for being selected.
template <typename Handler>
void onClick(QCheckBox* box, Handler handler)
{
    QObject::connect(box, &QCheckBox::toggled, box, [handler](bool) { handler(); });
}

template <typename Handler>
void onClick(QRadioButton* option, Handler handler)
{
    QObject::connect(option, &QRadioButton::toggled, option, [handler](bool selected) {
        if (selected)
            handler();
    });
}
