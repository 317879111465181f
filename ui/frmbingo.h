#pragma once

#include "ui/mainwindowlayout.h"

#include <QMainWindow>

#include <array>

class BorderLines;
class CallNotice;
class ClickableLabel;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

// The seconds options exist only for the indexes 2 to 8, as the AutoPlay handler sees them.
class SecondsOptions {
public:
    QRadioButton* operator()(int index) const;
    void set(int index, QRadioButton* option);
    int selectedIndex() const;

private:
    std::array<QRadioButton*, MainWindowLayout::optSeconds.size()> m_options {};
};

// The main window: its controls, built from the layout table, and nothing that decides
// anything. Handlers are wired to these controls elsewhere.
class frmBingo : public QMainWindow {
    Q_OBJECT
public:
    explicit frmBingo(QWidget* parent = nullptr);

    QLabel* lblCurrent_Call;
    std::array<QLabel*, 6> lblBingo;
    std::array<QLabel*, 90> lblCalled;
    QRadioButton* opt75Number;
    QRadioButton* opt90Number;
    QPushButton* cmdNextNumber;
    ClickableLabel* lblbyzentrova;
    QLabel* lbltrademark;
    QCheckBox* chkSound;
    QCheckBox* chkRepeat;
    QCheckBox* chkAutoPlay;
    QGroupBox* optAutoPlayInterval;
    SecondsOptions optSeconds;
    // Gives each call to screen readers; not a control a host sees.
    CallNotice* callNotice;

    QMenu* mnuOptions;
    QAction* mnuNewGame;
    QAction* mnuGetBingoCards;
    QMenu* mnuHelp;
    QAction* mnuAbout;

    void centreOnScreen();
    void pressDefaultButton();

signals:
    void unloading();
    void enterPressed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildBoard(BorderLines* lines);
    void routeEnterToNextNumber();
    void orderTabStops();
};
