#include "view/state_keeper.h"

#include "core/ground/status_texts.h"
#include "view/main_window.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace quorix::qt {

namespace {

const QString GameFile = QStringLiteral("saved-game.txt");
const QString BackupFile = QStringLiteral("saved-game.backup.txt");
const QString LockFile = QStringLiteral("saved-game.lock");

} // namespace

StateKeeper::StateKeeper(MainWindow &window, QString folder)
    : Window(window), Folder(std::move(folder))
{
    Quiet.setSingleShot(true);
    Quiet.setInterval(QuietMs);
    connect(&Quiet, &QTimer::timeout, this, [this] { Flush(); });
}

StateKeeper::~StateKeeper()
{
    Window.OnInput = nullptr;
    Window.BeforeAuto = nullptr;
    Window.removeEventFilter(this);
}

QString StateKeeper::DefaultFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!state.isEmpty() && QDir::isAbsolutePath(state))
        return state + QStringLiteral("/quorix");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString StateKeeper::FilePath() const
{
    return Folder + u'/' + GameFile;
}

QString StateKeeper::BackupPath() const
{
    return Folder + u'/' + BackupFile;
}

bool StateKeeper::TakeLock()
{
    QDir().mkpath(Folder);
    Lock = std::make_unique<QLockFile>(Folder + u'/' + LockFile);
    // A lock left by a program that died is taken over at once (its process is gone).
    Lock->setStaleLockTime(0);
    Owning = Lock->tryLock(0);
    if (!Owning) {
        RepeatLockNotice();
        return false;
    }
    Window.OnInput = [this] { Changed(); };
    Window.BeforeAuto = [this] { Flush(); };
    Window.installEventFilter(this);
    return true;
}

void StateKeeper::RepeatLockNotice()
{
    if (Owning || !Lock)
        return;
    Window.Form().Tell(news::OtherWindowKeeps);
    Window.Mirror();
}

StateKeeper::Opening StateKeeper::Resume()
{
    if (!TakeLock())
        return Opening::Locked;
    QFile file(FilePath());
    if (!file.exists())
        return Opening::Fresh;
    if (!file.open(QIODevice::ReadOnly)) {
        SetAside(file.errorString());
        return Opening::SetAside;
    }
    if (file.size() > static_cast<qint64>(MaxSavedGameSize)) {
        file.close();
        SetAside(QStringLiteral("the file is too large"));
        return Opening::SetAside;
    }
    const QByteArray text = file.readAll();
    file.close();
    Form1 &form = Window.Form();
    SavedGame game{form.State(), {}, {}};
    std::string reason;
    if (!ReadSavedGame(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                       game, reason)) {
        SetAside(QString::fromStdString(reason));
        return Opening::SetAside;
    }
    form.Resume(std::move(game));
    Window.Mirror();
    return Opening::Resumed;
}

StateKeeper::Opening StateKeeper::KeepAsBackup()
{
    if (!TakeLock())
        return Opening::Locked;
    if (!QFile::exists(FilePath()))
        return Opening::Fresh;
    QFile::remove(BackupPath());
    if (!QFile::rename(FilePath(), BackupPath())) {
        // The game could not be kept aside, so it is not written over either.
        qWarning("quorix: the saved game cannot be kept as %s; this window saves nothing",
                 qUtf8Printable(BackupPath()));
        Abandoned = true;
    }
    return Opening::BackedUp;
}

void StateKeeper::SetAside(const QString &reason)
{
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    SetAsideAs =
        Folder + QStringLiteral("/saved-game.unreadable-") + stamp + QStringLiteral(".txt");
    const bool moved = QFile::rename(FilePath(), SetAsideAs);
    if (!moved)
        SetAsideAs.clear();
    std::string text(news::SavedGameUnreadable);
    text += reason.toStdString();
    text += moved ? "; kept as " + QFileInfo(SetAsideAs).fileName().toStdString()
                  : std::string("; it could not be moved aside and is left as it is");
    Window.Form().Tell(text);
    Window.Mirror();
    // A file that could not be moved aside is not written over either.
    if (!moved)
        Abandoned = true;
}

void StateKeeper::Changed()
{
    if (!Owning || Abandoned)
        return;
    Dirty = true;
    // Not restarted by later input: the game is written within QuietMs of the first change.
    if (!Quiet.isActive())
        Quiet.start();
}

void StateKeeper::Flush()
{
    if (!Owning || Abandoned || !Dirty)
        return;
    // While Auto runs, the store holds a search in progress; the input that ends the run
    // brings the keeper back.
    if (Window.Form().Dispatch().AutoDepth > 0)
        return;
    Quiet.stop();
    Dirty = !Write();
}

bool StateKeeper::Write()
{
    const std::string text = Window.Form().SaveGame();
    QDir().mkpath(Folder);
    QSaveFile file(FilePath());
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(text.data(), static_cast<qint64>(text.size()))
                                == static_cast<qint64>(text.size())
                         && file.commit();
    if (!written && !WriteFailed) {
        // Said once, not at every attempt; the status line is the person's to read.
        Window.Form().Tell(std::string(news::CannotSaveGame) + file.errorString().toStdString());
        Window.Mirror();
    }
    WriteFailed = !written;
    return written;
}

bool StateKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &Window && event->type() == QEvent::Close) {
        if (Window.Form().Dispatch().AutoDepth > 0)
            Abandon();
        else
            Flush();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorix::qt
