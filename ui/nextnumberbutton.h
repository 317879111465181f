#pragma once

#include <QPushButton>

// Next Number keeps the keyboard focus to itself: disabled after a call, it hands the focus to no
// other control (a key pressed meanwhile must not land on, say, the credit link), and enabled
// again with nothing else focused, it takes the focus back.
class NextNumberButton final : public QPushButton {
    Q_OBJECT
public:
    NextNumberButton(const QString& text, QWidget* parent);

protected:
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
};
