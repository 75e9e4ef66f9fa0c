#include "app/Workstation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

static QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

Workstation::Workstation(const QString &directory)
    : m_directory(withSlash(QDir::cleanPath(QDir(directory).absolutePath())))
{
}

Workstation Workstation::fromEnvironment()
{
    const QString home = qEnvironmentVariable("TESSARO_HOME");
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return Workstation(home);
    }
    const QString program = programDirectory();
    if (!program.isEmpty() && QFileInfo(program).isWritable())
        return Workstation(program);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Tessaro");
    QDir().mkpath(data);
    return Workstation(data);
}

QString Workstation::iniPath() const
{
    return m_directory + QStringLiteral("Tessaro.INI");
}

QString Workstation::privateDirectory() const
{
    return m_directory + QStringLiteral("PVL_PRIV/");
}

QString Workstation::programDirectory()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QString() : withSlash(dir);
}
