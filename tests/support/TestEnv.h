#pragma once

#include "app/Workstation.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace tessaro_test {

// Gives the whole test process isolated settings and data folders (XDG_CONFIG_HOME,
// XDG_DATA_HOME), so that nothing a test writes reaches the user's real settings.
// Must run before the application object exists.
void isolateProcess();

// Result of running the tessaro program.
struct RunResult
{
    int exitCode = -1;
    QString out;
    QString err;
};
// `modifier` runs in the child before the program starts (limits, dropped privileges).
RunResult runProgram(const QString &binary, const QStringList &args, int timeoutMs = 120000,
                     const std::function<void()> &modifier = {}, const QString &workingDirectory = QString());

// A file's text (UTF-8); empty when it cannot be read.
QString readText(const QString &path);
// The text of a PDF laid out as on its pages (pdftotext -layout); empty on failure.
QString pdfText(const QString &path);

} // namespace tessaro_test

// A fresh workstation directory and data directory for one test; TESSARO_HOME points
// at the workstation while the object lives.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString home() const { return root() + QStringLiteral("home/"); }
    QString dataDir() const { return root() + QStringLiteral("data/"); }
    QString path(const QString &relative) const { return root() + relative; }
    Workstation workstation() const { return Workstation(home()); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
};

#define TESSARO_TEST_MAIN(TestObject)                                                    \
    int main(int argc, char **argv)                                                      \
    {                                                                                    \
        tessaro_test::isolateProcess();                                                  \
        QApplication app(argc, argv);                                                    \
        QCoreApplication::setOrganizationName(QStringLiteral("Brindell"));               \
        QCoreApplication::setApplicationName(QStringLiteral("Tessaro"));                 \
        TestObject tc;                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                       \
        return QTest::qExec(&tc, argc, argv);                                            \
    }
