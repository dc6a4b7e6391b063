// Keeps the person's work: the saved game (core/control/saved_game.h) in a file of the user's
// state folder, written within about a second after every input and when the window closes,
// and put back when the window program starts again.
//
// Only the window program makes a keeper; the tools and the tests' windows have none unless a
// test makes one over a folder of its own. One keeper at a time owns the folder, through a
// lock file; a second window keeps nothing and says so. Nothing is written while Auto runs:
// what stood when it was clicked is written first, so that a window closed during Auto comes
// back as it was then.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace quorix::qt {

class MainWindow;

class StateKeeper : public QObject
{
public:
    // The saved game's file and its neighbours live in `folder` (made when first written).
    StateKeeper(MainWindow &window, QString folder);
    ~StateKeeper() override;

    // $XDG_STATE_HOME/quorix when XDG_STATE_HOME is set (an absolute path), else the
    // application's data folder: Qt 6.4 has no state location of its own.
    [[nodiscard]] static QString DefaultFolder();

    enum class Opening {
        Fresh,    // there was no saved game: the window is as it starts
        Resumed,  // the saved game is back
        SetAside, // the file could not be read: it is kept under another name, a fresh start
        BackedUp, // the saved game was kept as the backup file, for the puzzle given instead
        Locked,   // another window owns the folder: this one reads and writes nothing
    };
    // Takes the folder and puts the saved game back, saying on the status line what went
    // wrong, if anything.
    Opening Resume();
    // Takes the folder for a window that opens something else (a puzzle given on the command
    // line): the saved game, if any, becomes the one backup file, replacing an older one.
    // Where it cannot be moved there, this window writes nothing, saying so on standard error.
    Opening KeepAsBackup();

    // Writes now what is unwritten, unless Auto runs or nothing may be written.
    void Flush();
    // Nothing more is written (the window closes while Auto runs: what the file holds is what
    // stood when Auto was clicked).
    void Abandon() { Abandoned = true; }

    [[nodiscard]] QString FilePath() const;
    [[nodiscard]] QString BackupPath() const;
    [[nodiscard]] bool Owns() const { return Owning; }
    // Says on the status line, again, that another window keeps the game, where it does (after
    // a puzzle given on the command line has been pasted over the first notice).
    void RepeatLockNotice();
    // The file an unreadable saved game was moved to (empty when none was).
    [[nodiscard]] const QString &SetAsidePath() const { return SetAsideAs; }

    // How long after an input the game is written.
    static constexpr int QuietMs = 500;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool TakeLock();
    void Changed();
    bool Write();
    void SetAside(const QString &reason);

    MainWindow &Window;
    QString Folder;
    std::unique_ptr<QLockFile> Lock;
    QTimer Quiet;
    bool Owning = false;
    bool Dirty = false;
    bool Abandoned = false;
    bool WriteFailed = false;
    QString SetAsideAs;
};

} // namespace quorix::qt
