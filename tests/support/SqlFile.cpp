#include "SqlFile.h"

#include "TestEnv.h"
#include "db/Database.h"

#include <QFile>
#include <QRegularExpression>

namespace tessaro_test {

bool runSqlFile(Database &db, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    for (const QString &statement : text.split(QRegularExpression(QStringLiteral(";\\s*\\n"))))
        if (!statement.trimmed().isEmpty())
            db.run(statement);
    return true;
}

QString initDataDir(const QString &binary, const TestEnv &env, const QStringList &sqlFiles)
{
    const RunResult init = runProgram(binary, {QStringLiteral("init"), env.dataDir()});
    if (init.exitCode != 0)
        return QStringLiteral("init: ") + init.err;
    Database db(env.dataDir(), env.workstation(), QStringLiteral("fixture"));
    db.open();
    for (const QString &path : sqlFiles)
        if (!runSqlFile(db, path))
            return QStringLiteral("cannot read ") + path;
    return {};
}

} // namespace tessaro_test
