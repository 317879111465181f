#pragma once

#include <QDialog>

class ClickableLabel;
class QLabel;
class QPushButton;

// The About window: the program's name, what it does, a picture of a bingo card and the
// maker's credit. It holds no game state.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);

    QPushButton* cmdOK;
    QLabel* picIcon;
    QLabel* lblDescription;
    ClickableLabel* lblbyzentrova;
    QLabel* lblTM;

    void cmdOK_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
