#pragma once

class QString;
class QWidget;

// A modal question with Yes and No, No being the default. Answers with the platform's
// result codes.
class YesNoBox {
public:
    static constexpr int Yes = 6;
    static constexpr int No = 7;

    virtual ~YesNoBox() = default;
    virtual int ask(QWidget* owner, const QString& text, const QString& title) = 0;
};
