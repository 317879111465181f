#include "support/lottovoxfixture.h"

#include "ui/frmabout.h"

#include <QAccessible>

namespace {

// What a screen reader reads: the names that Qt's accessibility interfaces report.
class Accessibility : public LottovoxTest {
protected:
    static QString nameOf(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }

    static void expectEveryControlNamed(QWidget* window)
    {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            // Plain containers and closed menus are not controls a host meets.
            const bool container = control->metaObject() == &QWidget::staticMetaObject;
            if (control->isVisibleTo(window) && !container && !control->inherits("QMenu")) {
                EXPECT_FALSE(nameOf(control).isEmpty()) << control->metaObject()->className();
            }
        }
    }
};

TEST_F(Accessibility, EveryControlOfBothWindowsHasAName)
{
    expectEveryControlNamed(&form());
    whenModalOpens([](QWidget* about) {
        expectEveryControlNamed(about);
        qobject_cast<frmAbout*>(about)->cmdOK->click();
    });
    form().mnuAbout->trigger();
}

TEST_F(Accessibility, CallLabelAndSquaresSayTheCallUntilTheNextGame)
{
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: none");
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, not called");
    pressNextNumber();
    clock.advance(5000);
    makeNextCall(7);
    pressNextNumber();
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: B 7");
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, called");

    answerNewGame(YesNoBox::Yes);
    EXPECT_EQ(nameOf(form().lblCalled[6]), "7, not called");
    EXPECT_EQ(nameOf(form().lblCurrent_Call), "Current call: none");
}

} // namespace
