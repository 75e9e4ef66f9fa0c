#include "db/VersionStore.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

static constexpr qsizetype kVerSize = 10;

QString VersionStore::read() const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Ver\" FROM \"Versiune\" LIMIT 1"));
    return q.next() ? q.value(0).toString() : QString();
}

VersionStore::Outcome VersionStore::store(const QString &version)
{
    const QString value = version.left(kVerSize);
    return m_db.writeTransaction([&] {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Ver\" FROM \"Versiune\" LIMIT 1"));
        if (!q.next()) {
            q.finish();
            m_db.run(QStringLiteral("INSERT INTO \"Versiune\" (\"Ver\") VALUES (:ver)"),
                     {{QStringLiteral(":ver"), value}});
            return Outcome::Inserted;
        }
        const bool same = !q.value(0).isNull() && q.value(0).toString() == value;
        q.finish();
        if (same)
            return Outcome::Unchanged;
        m_db.run(QStringLiteral("UPDATE \"Versiune\" SET \"Ver\" = :ver"),
                 {{QStringLiteral(":ver"), value}});
        return Outcome::Updated;
    });
}
