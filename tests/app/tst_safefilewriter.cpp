#include "TestEnv.h"

#include "app/FileUtils.h"
#include "app/GridLayout.h"
#include "app/IniFile.h"
#include "app/IoError.h"
#include "app/SafeFileWriter.h"
#include "printing/CsvOutput.h"
#include "printing/PdfOutput.h"
#include "printing/ReportEngine.h"
#include "printing/TestReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <cstring>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Files of a folder, hidden ones included: a failed write must leave no temporary file.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The largest file this process may write, as a full disk would: writes beyond it fail
// with EFBIG instead of raising SIGXFSZ. Restored when the guard goes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

QString message(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// One writer of the program: writes `size` bytes or more to the path; false (or an
// exception) on failure, with the text shown to the user in *error.
using Writer = std::function<bool(const QString &path, int size, QString *error)>;

} // namespace

Q_DECLARE_METATYPE(Writer)

class TestSafeFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void targets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("error"); // errno of the system message, 0 when ok
        QTest::newRow("new file") << "new" << true << 0;
        QTest::newRow("existing file replaced") << "existing" << true << 0;
        QTest::newRow("link followed, kept") << "link" << true << 0;
        QTest::newRow("device written directly") << "/dev/null" << true << 0;
        QTest::newRow("full device") << "/dev/full" << false << ENOSPC;
        QTest::newRow("folder missing") << "missing" << false << ENOENT;
        QTest::newRow("a folder") << "folder" << false << EISDIR;
        QTest::newRow("disk full part way") << "limit" << false << EFBIG;
    }
    void targets()
    {
        QFETCH(QString, kind);
        QFETCH(bool, ok);
        QFETCH(int, error);
        TestEnv env;
        const QString folder = env.path(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(folder));
        QString path = folder + QStringLiteral("/f.txt");
        const QByteArray old = "old contents\n";
        const QByteArray data = QByteArray(200000, 'x') + "\nend\n";
        if (kind == QLatin1String("existing") || kind == QLatin1String("limit")) {
            put(path, old);
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        } else if (kind == QLatin1String("link")) {
            put(folder + QStringLiteral("/real.txt"), old);
            QVERIFY(QFile::link(folder + QStringLiteral("/real.txt"), path));
        } else if (kind.startsWith(QLatin1Char('/'))) {
            path = kind;
        } else if (kind == QLatin1String("missing")) {
            path = folder + QStringLiteral("/nowhere/f.txt");
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        }
        const QStringList before = entries(folder);

        bool written = false;
        QString text;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (kind == QLatin1String("limit"))
                limit = std::make_unique<FileSizeLimit>(64 * 1024);
            written = SafeFileWriter::writeFile(path, data, &text);
        }
        QCOMPARE(written, ok);
        if (!ok) {
            QVERIFY2(text.contains(message(error)) && text.contains(path), qPrintable(text));
            QCOMPARE(entries(folder), before); // nothing left behind
            if (kind == QLatin1String("limit"))
                QCOMPARE(readAll(path), old);
            QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/nowhere")));
            return;
        }
        QVERIFY(text.isEmpty());
        if (kind == QLatin1String("/dev/null")) {
            struct stat st {};
            QVERIFY(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode)); // never replaced
            return;
        }
        QCOMPARE(readAll(path), data);
        if (kind == QLatin1String("existing")) {
            struct stat st {};
            QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
            QCOMPARE(int(st.st_mode & 0777), 0640); // the replaced file keeps its mode
        }
        if (kind == QLatin1String("link")) {
            QVERIFY(QFileInfo(path).isSymLink());
            QCOMPARE(readAll(folder + QStringLiteral("/real.txt")), data);
        }
        QStringList expected = before;
        if (kind == QLatin1String("new"))
            expected = QStringList{QStringLiteral("f.txt")};
        QCOMPARE(entries(folder), expected);
    }

    // A pipe is written into, not replaced by a file.
    void pipe()
    {
        TestEnv env;
        const QString fifo = env.path(QStringLiteral("pipe"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QByteArray received;
        QThread *reader = QThread::create([&] {
            QFile f(fifo);
            if (f.open(QIODevice::ReadOnly))
                received = f.readAll();
        });
        reader->start();
        const QByteArray data = QByteArray(100000, 'p');
        QString error;
        QVERIFY2(SafeFileWriter::writeFile(fifo, data, &error), qPrintable(error));
        QVERIFY(reader->wait(10000));
        delete reader;
        QCOMPARE(received, data);
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    }

    // Written but never committed: the target keeps its contents, nothing else stays.
    void abandoned()
    {
        TestEnv env;
        const QString path = env.path(QStringLiteral("f.txt"));
        put(path, "kept");
        const QStringList before = entries(env.root());
        {
            SafeFileWriter file(path);
            QVERIFY(file.open());
            QCOMPARE(file.write("replacement"), qint64(11));
        }
        QCOMPARE(readAll(path), QByteArray("kept"));
        QCOMPARE(entries(env.root()), before);
    }

    // Every writer of the program reports a failed write and leaves the file it would
    // have replaced as it was.
    void writers_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::newRow("INI file") << Writer([](const QString &path, int size, QString *error) {
            IniFile ini(path);
            for (int i = 0; i < 30; ++i)
                ini.setValue(QStringLiteral("Options"), QStringLiteral("Key%1").arg(i), QString(size / 30, QLatin1Char('v')));
            return ini.save(error);
        });
        QTest::newRow("grid layout") << Writer([](const QString &path, int size, QString *) {
            GridLayout layout;
            for (int i = 0; i < size / 30; ++i)
                layout.columns.append({i, 100, false});
            return layout.write(path);
        });
        QTest::newRow("CSV") << Writer([](const QString &path, int size, QString *error) {
            const QVector<ReportRow> rows = TestReport::rows(1, 1, size / 60);
            return CsvOutput::write(TestReport::definition(QDate(2024, 1, 1)), rows, path, error);
        });
        QTest::newRow("PDF") << Writer([](const QString &path, int size, QString *error) {
            const ReportDocument doc = ReportEngine::build(TestReport::definition(QDate(2024, 1, 1)),
                                                           TestReport::rows(2, 2, size / 2000), PageSetup());
            return PdfOutput::write(doc, path, error);
        });
        QTest::newRow("file copy") << Writer([](const QString &path, int size, QString *error) {
            // The source is made once, before any limit is set.
            static QTemporaryDir sources;
            const QString source = sources.filePath(QStringLiteral("source-%1").arg(size));
            if (!QFileInfo::exists(source)) {
                QFile f(source);
                if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(size, 'c')) != size)
                    return false;
            }
            try {
                FileUtils::copyFile(source, path);
            } catch (const IoError &e) {
                *error = e.text();
                return false;
            }
            return true;
        });
    }
    void writers()
    {
        QFETCH(Writer, writer);
        TestEnv env;
        const QString path = env.path(QStringLiteral("target"));
        QString error;
        QVERIFY2(writer(path, 300000, &error), qPrintable(error)); // works on its own
        const QByteArray good = readAll(path);
        QVERIFY(good.size() > 64 * 1024);
        const QStringList before = entries(env.root());

        bool written = true;
        {
            FileSizeLimit limit(64 * 1024);
            written = writer(path, 300000, &error);
        }
        QVERIFY(!written);
        QCOMPARE(readAll(path), good);
        QCOMPARE(entries(env.root()), before);
        QVERIFY(!writer(QStringLiteral("/dev/full"), 1000, &error));
    }
};

TESSARO_TEST_MAIN(TestSafeFileWriter)
#include "tst_safefilewriter.moc"
