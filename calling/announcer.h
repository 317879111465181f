#pragma once

#include <functional>

#include <QString>

struct mdlPublic;
class SoundPlayer;
class Timer;
class frmBingo;

// Announces a call on the board, in the current-call label and out loud, and repeats it
// once a second after the announcement ended.
class Announcer {
public:
    using FolderLookup = std::function<QString()>;

    struct Parts {
        frmBingo& form;
        mdlPublic& shared;
        SoundPlayer& player;
        Timer& tmrRepeatTimer;
        FolderLookup applicationFolder;
    };

    explicit Announcer(Parts parts);

    void Call_Out();
    void chkSound_Click();
    void chkRepeat_Click();
    void tmrRepeatTimer_Timer();

private:
    void playCallFiles();
    QString soundFile(const QString& stem) const;

    frmBingo& m_form;
    mdlPublic& m_shared;
    SoundPlayer& m_player;
    Timer& m_tmrRepeatTimer;
    FolderLookup m_applicationFolder;
};
