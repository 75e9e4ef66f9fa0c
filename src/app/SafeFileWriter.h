#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Writes one file so that a failure never leaves a partial or emptied file behind.
//
// A regular file (or one that does not exist yet) is written to a temporary file in the
// same folder, every write is checked, the data are flushed and synced, and the
// temporary file is then renamed over the target; a symbolic link is followed, so the
// file it names is replaced and the link stays. A target that is not a regular file
// (a device such as /dev/null, a pipe) is written directly and checked the same way,
// never replaced. Any failure - the temporary file cannot be made, a write, the flush,
// the sync, the close or the rename fails - makes commit() false with error() naming
// the file and giving the system's message, and the target is left as it was.
//
// Use it as the QIODevice of a QTextStream or a QPdfWriter, or through writeFile():
//
//     SafeFileWriter file(path);
//     if (!file.open()) return fail(file.error());
//     QTextStream out(&file); ... out.flush();
//     if (!file.commit()) return fail(file.error());
//
// Destroying an open writer without commit() discards what was written.
class SafeFileWriter : public QIODevice
{
public:
    explicit SafeFileWriter(const QString &path);
    ~SafeFileWriter() override;
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // Opens for writing (the mode is always write-only). False with error() set.
    bool open();
    bool open(OpenMode mode) override;
    // Finishes the file: flush, sync, close, rename. False with error() set; the
    // temporary file is gone either way and the writer is closed.
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

    // "Fisierul <path> nu poate fi scris: <system message>"; empty while all is well.
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    bool isSequential() const override { return true; }

    // The whole file in one call. False with the message in *error.
    static bool writeFile(const QString &path, const QByteArray &data, QString *error = nullptr);
    // The text error() gives for a file and a system message.
    static QString failureText(const QString &path, const QString &systemMessage);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void fail(const QString &systemMessage);
    bool flushBuffer();
    void closeQuietly();

    QString m_path;
    QString m_finalPath;  // the file replaced (a link's target); empty for a direct write
    QString m_tempPath;   // empty for a direct write
    int m_fd = -1;
    QByteArray m_buffer;  // written out in blocks
    QString m_error;
};
