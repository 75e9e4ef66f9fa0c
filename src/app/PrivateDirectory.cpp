#include "app/PrivateDirectory.h"

#include "app/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static QString withSlash(QString path)
{
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

PrivateDirectory::PrivateDirectory(const QString &path) : m_path(withSlash(path)) {}

QString PrivateDirectory::layoutFile(const QString &name) const
{
    return m_path + name + QStringLiteral(".cfg");
}

QStringList PrivateDirectory::movedOnFirstStart()
{
    return {
        QStringLiteral("acitari.cfg"),   QStringLiteral("acitariVal.cfg"),
        QStringLiteral("actneacit.cfg"), QStringLiteral("actneacitVal.cfg"),
        QStringLiteral("catlook.cfg"),   QStringLiteral("discgrila.cfg"),
        QStringLiteral("clnlook.cfg"),   QStringLiteral("docout.cfg"),
        QStringLiteral("furnlook.cfg"),  QStringLiteral("iniStock.cfg"),
        QStringLiteral("pacitari.cfg"),  QStringLiteral("pactneacit.cfg"),
        QStringLiteral("stocCom.cfg"),   QStringLiteral("stocks.cfg"),
        QStringLiteral("stocksArticole.cfg"), QStringLiteral("stocksPret.cfg"),
        QStringLiteral("pavlon.cfg"),    QStringLiteral("offer.cfg"),
    };
}

QStringList PrivateDirectory::deletedOnReset()
{
    return {
        QStringLiteral("acitari.cfg"),   QStringLiteral("acitariVal.cfg"),
        QStringLiteral("actneacit.cfg"), QStringLiteral("actneacitVal.cfg"),
        QStringLiteral("catlook.cfg"),   QStringLiteral("discgrila.cfg"),
        QStringLiteral("DocProf.cfg"),   QStringLiteral("clnlook.cfg"),
        QStringLiteral("docout.cfg"),    QStringLiteral("furnlook.cfg"),
        QStringLiteral("iniStock.cfg"),  QStringLiteral("pacitari.cfg"),
        QStringLiteral("pactneacit.cfg"), QStringLiteral("stocCom.cfg"),
        QStringLiteral("stocks.cfg"),    QStringLiteral("stocksPret.cfg"),
        QStringLiteral("stocksArticole.cfg"), QStringLiteral("pavlon.cfg"),
        QStringLiteral("offer.cfg"),     QStringLiteral("offerc.cfg"),
    };
}

bool PrivateDirectory::prepare(const QString &legacyDirectory) const
{
    if (QFileInfo(m_path).isDir())
        return true;
    if (!QDir().mkpath(m_path))
        return false;
    const QString source = withSlash(legacyDirectory);
    if (source.isEmpty())
        return true;
    for (const QString &name : movedOnFirstStart()) {
        const QString from = source + name;
        // rename() refuses across file systems; copy and remove then.
        if (QFileInfo::exists(from) && !QFile::rename(from, m_path + name)
            && QFile::copy(from, m_path + name))
            QFile::remove(from);
    }
    return true;
}

int PrivateDirectory::deleteLayoutFiles() const
{
    int deleted = 0;
    for (const QString &name : deletedOnReset()) {
        if (QFileInfo::exists(m_path + name) && QFile::remove(m_path + name))
            ++deleted;
    }
    return deleted;
}

void PrivateDirectory::resetLayouts(Messages &messages) const
{
    deleteLayoutFiles();
    messages.information(
        QStringLiteral("S-a setat configuratia implicita pentru tabelele din dialoguri"));
}
