#include "app/ProtectedFiles.h"

#include "app/Workstation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// The path with its links followed, also for a file that does not exist yet (its
// folder is resolved instead).
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return QDir::cleanPath(info.absoluteFilePath());
    return QDir::cleanPath(folder + QLatin1Char('/') + info.fileName());
}

bool sameInode(const QString &a, const QString &b)
{
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Whether the file lies inside the directory, at any depth.
bool inside(const QString &file, const QString &directory)
{
    if (directory.isEmpty())
        return false;
    QString dir = resolved(directory);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return resolved(file).startsWith(dir);
}

// A file of a directory that is reached by another name.
bool linkedInto(const QString &file, const QString &directory)
{
    if (directory.isEmpty() || !QFileInfo(file).isFile())
        return false;
    const QFileInfoList entries = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries)
        if (sameInode(file, entry.absoluteFilePath()))
            return true;
    return false;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

namespace ProtectedFiles {

bool sameFile(const QString &a, const QString &b)
{
    return resolved(a) == resolved(b) || sameInode(a, b);
}

QString refusal(const QString &path, const QString &dataDirectory, const Workstation &workstation)
{
    const QString privateDirectory = workstation.privateDirectory();
    if (inside(path, dataDirectory) || linkedInto(path, dataDirectory))
        return QStringLiteral("Nu pot scrie in %1: fisierul face parte din directorul de date %2.")
            .arg(native(path), native(dataDirectory));
    if (inside(path, privateDirectory) || linkedInto(path, privateDirectory))
        return QStringLiteral("Nu pot scrie in %1: fisierul face parte din directorul privat %2.")
            .arg(native(path), native(privateDirectory));
    if (sameFile(path, workstation.iniPath()))
        return QStringLiteral("Nu pot scrie in %1: este fisierul de configurare al programului.").arg(native(path));
    return QString();
}

} // namespace ProtectedFiles
