#include "db/PrivateAnswerFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Each answer file has a lock file beside it, held (flock) for as long as a process uses
// it; the kernel lets go when the process ends, however it ends.
QString lockPathOf(const QString &file)
{
    return file + QStringLiteral(".lock");
}

int takeLock(const QString &lockPath)
{
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -2; // held by another process
    }
    return fd;
}

void removeDatabaseFiles(const QString &file)
{
    for (const QString &name : {file, file + QStringLiteral("-journal"), file + QStringLiteral("-wal"),
                                file + QStringLiteral("-shm")})
        QFile::remove(name);
}

QMutex registryMutex;
QHash<QString, std::weak_ptr<PrivateAnswerFile>> &registry()
{
    static QHash<QString, std::weak_ptr<PrivateAnswerFile>> files;
    return files;
}

} // namespace

PrivateAnswerFile::PrivateAnswerFile(const QString &path, const QString &lockPath, int lockFd, bool own)
    : m_path(path), m_lockPath(lockPath), m_lockFd(lockFd), m_own(own)
{
}

PrivateAnswerFile::~PrivateAnswerFile()
{
    if (m_own) {
        removeDatabaseFiles(m_path);
        QFile::remove(m_lockPath); // a name no other process uses
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd); // the shared lock file stays: others may be waiting on it
}

void PrivateAnswerFile::removeAbandoned(const QString &directory)
{
    const QStringList locks = QDir(directory).entryList({QStringLiteral("PVL_PRIV-*.sqlite.lock")}, QDir::Files);
    for (const QString &name : locks) {
        const QString lockPath = directory + name;
        const int fd = takeLock(lockPath);
        if (fd < 0)
            continue; // still in use
        removeDatabaseFiles(lockPath.chopped(5));
        QFile::remove(lockPath);
        ::close(fd);
    }
}

std::shared_ptr<PrivateAnswerFile> PrivateAnswerFile::acquire(const QString &privateDirectory)
{
    QString dir = QDir::cleanPath(privateDirectory);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QMutexLocker guard(&registryMutex);
    if (auto held = registry().value(dir).lock())
        return held;

    std::shared_ptr<PrivateAnswerFile> file;
    const QString shared = dir + sharedName();
    const int fd = takeLock(lockPathOf(shared));
    if (fd != -2) {
        // Free, or no locking possible here: the shared file, as it always was.
        file.reset(new PrivateAnswerFile(shared, lockPathOf(shared), fd, false));
    } else {
        removeAbandoned(dir);
        for (int attempt = 0; attempt < 100 && !file; ++attempt) {
            const QString own = dir + QStringLiteral("PVL_PRIV-%1.sqlite")
                                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            if (QFile::exists(lockPathOf(own)))
                continue;
            const int ownFd = takeLock(lockPathOf(own));
            if (ownFd >= 0) {
                removeDatabaseFiles(own);
                file.reset(new PrivateAnswerFile(own, lockPathOf(own), ownFd, true));
            }
        }
        if (!file) // nothing could be locked: share as before rather than not open at all
            file.reset(new PrivateAnswerFile(shared, QString(), -1, false));
    }
    registry().insert(dir, file);
    return file;
}
