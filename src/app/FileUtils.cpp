#include "app/FileUtils.h"

#include "app/IoError.h"
#include "app/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace FileUtils {

bool makeDirectoryPath(const QString &path)
{
    QString dir = QDir::cleanPath(path);
    if (dir.isEmpty())
        return false;
    if (QFileInfo(dir).isDir())
        return true;
    const qsizetype cut = dir.lastIndexOf(QLatin1Char('/'));
    // Parents first: cut at the last separator and recurse ("/" itself always exists).
    if (cut > 0 && !makeDirectoryPath(dir.left(cut)))
        return false;
    return QDir().mkdir(dir) || QFileInfo(dir).isDir();
}

QString ensureTrailingSeparator(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

int findLast(const QString &needle, const QString &text)
{
    if (needle.isEmpty())
        return 0;
    return int(text.lastIndexOf(needle)) + 1;
}

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The copy failed part way: report it with the source's name.
struct CopyFailed
{
};

// Buffered reading of the source, one byte at a time.
class ByteReader
{
public:
    explicit ByteReader(QFile &file)
        : m_file(file)
    {
    }

    // False at the end of the file; a read error is a failed copy.
    bool next(quint8 &byte)
    {
        if (m_pos == m_size) {
            const qint64 n = m_file.read(m_buffer.data(), qint64(m_buffer.size()));
            if (n < 0)
                throw CopyFailed{};
            if (n == 0)
                return false;
            m_size = n;
            m_pos = 0;
        }
        byte = quint8(m_buffer[size_t(m_pos++)]);
        return true;
    }

private:
    QFile &m_file;
    std::array<char, 65536> m_buffer{};
    qint64 m_size = 0;
    qint64 m_pos = 0;
};

class ByteWriter
{
public:
    explicit ByteWriter(QIODevice &file)
        : m_file(file)
    {
    }

    void put(quint8 byte)
    {
        m_buffer.append(char(byte));
        ++m_written;
        if (m_buffer.size() >= 65536)
            flush();
    }

    void flush()
    {
        if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
            throw CopyFailed{};
        m_buffer.clear();
    }

    qint64 written() const { return m_written; }

private:
    QIODevice &m_file;
    QByteArray m_buffer;
    qint64 m_written = 0;
};

constexpr char szddMagic[8] = {'S', 'Z', 'D', 'D', char(0x88), char(0xF0), char(0x27), char(0x33)};
constexpr int szddHeaderSize = 14;

// LZSS of COMPRESS.EXE: a 4096-byte window filled with spaces, writing from 4096 - 16;
// each control byte gives eight items, least significant bit first: 1 = one literal
// byte, 0 = a two-byte reference (12-bit window position, 4-bit length - 3).
void expandSzdd(ByteReader &in, ByteWriter &out, qint64 expectedLength)
{
    std::array<quint8, 4096> window;
    window.fill(quint8(' '));
    int pos = 4096 - 16;
    quint8 control = 0;
    while (in.next(control)) {
        for (int bit = 0; bit < 8; ++bit) {
            quint8 b0 = 0;
            if (!in.next(b0))
                break; // the last control byte may announce more items than remain
            if (control & (1u << bit)) {
                out.put(b0);
                window[size_t(pos)] = b0;
                pos = (pos + 1) & 4095;
            } else {
                quint8 b1 = 0;
                if (!in.next(b1))
                    throw CopyFailed{}; // cut in the middle of a reference
                const int offset = b0 | ((b1 & 0xF0) << 4);
                const int length = (b1 & 0x0F) + 3;
                for (int i = 0; i < length; ++i) {
                    const quint8 c = window[size_t((offset + i) & 4095)];
                    out.put(c);
                    window[size_t(pos)] = c;
                    pos = (pos + 1) & 4095;
                }
            }
            if (out.written() > expectedLength)
                throw CopyFailed{};
        }
    }
    if (out.written() != expectedLength)
        throw CopyFailed{};
}

void copyContents(QFile &source, QIODevice &destination)
{
    ByteReader in(source);
    ByteWriter out(destination);

    QByteArray head = source.read(szddHeaderSize);
    if (head.startsWith(QByteArray(szddMagic, sizeof szddMagic))) {
        if (head.size() < szddHeaderSize || head.at(8) != 'A')
            throw CopyFailed{};
        const auto *h = reinterpret_cast<const uchar *>(head.constData());
        const qint64 length = qint64(h[10]) | (qint64(h[11]) << 8) | (qint64(h[12]) << 16)
                              | (qint64(h[13]) << 24);
        expandSzdd(in, out, length);
    } else {
        for (const char c : head)
            out.put(quint8(c));
        out.flush();
        for (;;) {
            const QByteArray block = source.read(1 << 20);
            if (block.isEmpty()) {
                if (!source.atEnd())
                    throw CopyFailed{};
                break;
            }
            if (destination.write(block) != block.size())
                throw CopyFailed{};
        }
    }
    out.flush();
}

} // namespace

void copyFile(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Error opening source file ") + quoted(source));

    // Truncating the destination would destroy the source when both are one file.
    const QFileInfo destInfo(destination);
    if (destInfo.exists() && destInfo.canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        throw IoError(QStringLiteral("Error opening destination file ") + quoted(destination));

    // Written beside the destination and renamed over it when complete.
    SafeFileWriter out(destination);
    if (!out.open())
        throw IoError(QStringLiteral("Error opening destination file ") + quoted(destination));

    try {
        copyContents(in, out);
    } catch (const CopyFailed &) {
        out.discard();
        throw IoError(QStringLiteral("Error copying file ") + quoted(source));
    }
    if (!out.commit())
        throw IoError(QStringLiteral("Error copying file ") + quoted(source));
}

} // namespace FileUtils
