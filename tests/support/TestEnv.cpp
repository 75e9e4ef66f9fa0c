#include "TestEnv.h"

#include <QDir>
#include <QProcess>

namespace tessaro_test {

void isolateProcess()
{
    static QTemporaryDir processDir;
    const QString root = processDir.path();
    for (const char *name : {"config", "data", "cache", "runtime", "home"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(name));
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (root + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toLocal8Bit());
    qputenv("TESSARO_HOME", (root + QStringLiteral("/home")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

RunResult runProgram(const QString &binary, const QStringList &args, int timeoutMs,
                     const std::function<void()> &modifier, const QString &workingDirectory)
{
    QProcess process;
    if (modifier)
        process.setChildProcessModifier(modifier);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(binary, args);
    RunResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return p.waitForFinished(60000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

} // namespace tessaro_test

TestEnv::TestEnv() : m_previousHome(qgetenv("TESSARO_HOME"))
{
    QDir().mkpath(home());
    QDir().mkpath(dataDir());
    qputenv("TESSARO_HOME", home().toLocal8Bit());
}

TestEnv::~TestEnv()
{
    qputenv("TESSARO_HOME", m_previousHome);
}
