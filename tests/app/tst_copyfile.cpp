#include "TestEnv.h"

#include "app/FileUtils.h"
#include "app/IoError.h"

#include <QRandomGenerator>

namespace {

QByteArray header(quint32 length)
{
    QByteArray h("SZDD\x88\xF0\x27\x33" "AX", 10);
    for (int i = 0; i < 4; ++i)
        h += char((length >> (8 * i)) & 0xFF);
    return h;
}

// A greedy COMPRESS.EXE-style encoder: 4096-byte window of spaces, writing from
// 4096 - 16, references of 3..18 bytes that may overlap the bytes they produce.
QByteArray encodeSzdd(const QByteArray &data, int *references)
{
    QByteArray out = header(quint32(data.size()));
    QByteArray window(4096, ' ');
    int pos = 4096 - 16;
    qsizetype i = 0;
    while (i < data.size()) {
        const qsizetype controlAt = out.size();
        out += '\0';
        for (int bit = 0; bit < 8 && i < data.size(); ++bit) {
            int bestLen = 0;
            int bestOffset = 0;
            for (int offset = 0; offset < 4096 && bestLen < 18; ++offset) {
                int len = 0;
                while (len < 18 && i + len < data.size()) {
                    // A byte this same reference wrote is read back as the decoder does.
                    const int p = (offset + len) & 4095;
                    const int d = (p - pos) & 4095;
                    if ((d < len ? data[i + d] : window[p]) != data[i + len])
                        break;
                    ++len;
                }
                if (len > bestLen) {
                    bestLen = len;
                    bestOffset = offset;
                }
            }
            if (bestLen < 3) {
                out[controlAt] = char(out[controlAt] | (1 << bit));
                out += data[i];
                bestLen = 1;
            } else {
                out += char(bestOffset & 0xFF);
                out += char(((bestOffset >> 8) << 4) | (bestLen - 3));
                ++*references;
            }
            for (int k = 0; k < bestLen; ++k)
                window[(pos + k) & 4095] = data[i + k];
            pos = (pos + bestLen) & 4095;
            i += bestLen;
        }
    }
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestCopyFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void expands_data()
    {
        QTest::addColumn<QByteArray>("stream"); // empty: encode `data`
        QTest::addColumn<QByteArray>("data");

        // Written by hand, to pin the bit order and the window start: literals A, B, then
        // 6 bytes from 0xFF0 (where A went), overlapping their own output.
        QTest::newRow("overlapping reference")
            << header(8) + QByteArray("\x03" "AB" "\xF0\xF3", 5) << QByteArray("ABABABAB");
        // A reference to window bytes never written: the initial spaces.
        QTest::newRow("initial spaces") << header(6) + QByteArray("\x02\x00\x02" "x", 4)
                                        << QByteArray("     x");
        QTest::newRow("empty") << header(0) << QByteArray();
        QTest::newRow("encoded, leading spaces")
            << QByteArray() << QByteArray("        Tessaro Tessaro Tessaro, mijloace fixe.\r\n"
                                          "        Tessaro Tessaro Tessaro, mijloace fixe.\r\n");
        QByteArray mixed;
        QRandomGenerator rng(42);
        for (int i = 0; i < 6000; ++i)
            mixed += "ABCD \x00\xFF"[rng.bounded(7)];
        QTest::newRow("encoded, beyond one window") << QByteArray() << mixed;
    }

    void expands()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, data);
        int references = 0;
        if (stream.isEmpty()) {
            stream = encodeSzdd(data, &references);
            QVERIFY(references > 0);
        }
        TestEnv env;
        QVERIFY(writeFile(env.path("in._"), stream));
        FileUtils::copyFile(env.path("in._"), env.path("out"));
        QCOMPARE(readFile(env.path("out")), data);
    }

    void plainFileCopiedAsIs()
    {
        QByteArray data(3 * 1024 * 1024 + 17, '\0');
        for (qsizetype i = 0; i < data.size(); ++i)
            data[i] = char(i * 31 % 251);
        TestEnv env;
        for (const QByteArray &content : {data, QByteArray("SZDD not a header"), QByteArray()}) {
            QVERIFY(writeFile(env.path("in"), content));
            FileUtils::copyFile(env.path("in"), env.path("out")); // truncates the older copy
            QCOMPARE(readFile(env.path("out")), content);
        }
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("source"); // empty: no source file
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("message"); // %1 source, %2 destination

        int references = 0;
        const QByteArray good = encodeSzdd("Tessaro Tessaro Tessaro Tessaro", &references);
        QTest::newRow("no source") << QByteArray() << "out" << "Error opening source file \"%1\"";
        QTest::newRow("destination folder missing")
            << QByteArray("x") << "missing/out" << "Error opening destination file \"%2\"";
        QTest::newRow("destination is the source")
            << QByteArray("x") << "in" << "Error opening destination file \"%2\"";
        QTest::newRow("cut in a reference")
            << good.left(good.size() - 1) << "out" << "Error copying file \"%1\"";
        QTest::newRow("shorter than its header says")
            << header(100) + "\xFF" "abcdefgh" << "out" << "Error copying file \"%1\"";
        QTest::newRow("longer than its header says")
            << header(2) + "\xFF" "abcdefgh" << "out" << "Error copying file \"%1\"";
        QTest::newRow("unknown mode") << QByteArray("SZDD\x88\xF0\x27\x33" "B", 9) << "out"
                                      << "Error copying file \"%1\"";
    }

    void failures()
    {
        QFETCH(QByteArray, source);
        QFETCH(QString, destination);
        QFETCH(QString, message);
        TestEnv env;
        const QString in = env.path("in");
        const QString out = env.path(destination);
        if (!source.isEmpty())
            QVERIFY(writeFile(in, source));
        QString error;
        try {
            FileUtils::copyFile(in, out);
        } catch (const IoError &e) {
            error = e.text();
        }
        QCOMPARE(error, message.replace("%1", in).replace("%2", out));
        if (destination == "in")
            QCOMPARE(readFile(in), source); // untouched
        else
            QVERIFY(!QFile::exists(out)); // no half-written copy
    }
};

TESSARO_TEST_MAIN(TestCopyFile)
#include "tst_copyfile.moc"
