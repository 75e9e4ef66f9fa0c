#include "app/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes go out in blocks of this size; QTextStream and QPdfWriter write in small pieces.
constexpr qsizetype BlockSize = 64 * 1024;

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every byte, or -1 with errno set; a write cut short by a signal goes on.
bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The file a path stands for: a symbolic link is followed, even one whose file does not
// exist yet, so the link itself stays.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    if (info.exists())
        return info.canonicalFilePath();
    return info.symLinkTarget();
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString &path) : m_path(path) {}

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

QString SafeFileWriter::failureText(const QString &path, const QString &systemMessage)
{
    return QStringLiteral("Fisierul %1 nu poate fi scris: %2").arg(QDir::toNativeSeparators(path), systemMessage);
}

void SafeFileWriter::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = failureText(m_path, message);
}

bool SafeFileWriter::open()
{
    return open(QIODevice::WriteOnly);
}

bool SafeFileWriter::open(OpenMode)
{
    if (isOpen() || m_path.isEmpty()) {
        fail(systemMessage(m_path.isEmpty() ? ENOENT : EBUSY));
        return false;
    }
    m_error.clear();
    const QString target = resolvedPath(m_path);
    const QByteArray native = QFile::encodeName(target);
    struct stat st {};
    const bool exists = ::stat(native.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        fail(systemMessage(EISDIR));
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        // A device or a pipe: there is nothing to replace, only to write into.
        m_fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
        if (m_fd < 0) {
            fail(systemMessage(errno));
            return false;
        }
        m_finalPath.clear();
        m_tempPath.clear();
        return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Renaming would replace a file its owner made read-only.
    if (exists && ::access(native.constData(), W_OK) != 0) {
        fail(systemMessage(errno));
        return false;
    }

    // A name of its own beside the target; the mode goes through the umask like any
    // new file, an existing file keeps its own.
    const QFileInfo info(target);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const QString candidate = folder + QLatin1Char('.') + info.fileName()
                                  + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                  QLatin1Char('0'));
        m_fd = ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            m_tempPath = candidate;
        else if (errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        fail(systemMessage(errno));
        return false;
    }
    if (exists)
        ::fchmod(m_fd, st.st_mode & 07777);
    m_finalPath = target;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SafeFileWriter::readData(char *, qint64)
{
    return -1;
}

bool SafeFileWriter::flushBuffer()
{
    if (!m_buffer.isEmpty() && m_error.isEmpty() && !writeAll(m_fd, m_buffer.constData(), m_buffer.size()))
        fail(systemMessage(errno));
    m_buffer.clear();
    return m_error.isEmpty();
}

qint64 SafeFileWriter::writeData(const char *data, qint64 size)
{
    if (m_fd < 0 || !m_error.isEmpty())
        return -1;
    m_buffer.append(data, qsizetype(size));
    if (m_buffer.size() >= BlockSize && !flushBuffer())
        return -1;
    return size;
}

void SafeFileWriter::closeQuietly()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    if (!m_tempPath.isEmpty())
        ::unlink(QFile::encodeName(m_tempPath).constData());
    m_tempPath.clear();
    if (isOpen())
        QIODevice::close();
}

bool SafeFileWriter::commit()
{
    if (m_fd < 0) {
        fail(systemMessage(EBADF));
        closeQuietly();
        return false;
    }
    flushBuffer();
    if (m_error.isEmpty() && ::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        fail(systemMessage(errno)); // a pipe or a terminal cannot be synced, nor need to be
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && m_error.isEmpty())
        fail(systemMessage(errno));
    if (m_error.isEmpty() && !m_tempPath.isEmpty()) {
        if (std::rename(QFile::encodeName(m_tempPath).constData(), QFile::encodeName(m_finalPath).constData()) != 0)
            fail(systemMessage(errno));
        else
            m_tempPath.clear(); // it is the target now
    }
    closeQuietly();
    return m_error.isEmpty();
}

void SafeFileWriter::discard()
{
    closeQuietly();
}

bool SafeFileWriter::writeFile(const QString &path, const QByteArray &data, QString *error)
{
    SafeFileWriter file(path);
    const bool ok = file.open() && file.write(data) == data.size() && file.commit();
    if (!ok && error)
        *error = file.error();
    return ok;
}
