#include "db/RoCollation.h"

#include "db/DbError.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>

#include <sqlite3.h>

RoCollation::RoCollation() : m_collator(QLocale(QLocale::Romanian, QLocale::Romania))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

int RoCollation::compare(QStringView a, QStringView b) const
{
    return m_collator.compare(a, b);
}

namespace {

int compareUtf8(void *collation, int length1, const void *text1, int length2, const void *text2)
{
    const QString a = QString::fromUtf8(static_cast<const char *>(text1), length1);
    const QString b = QString::fromUtf8(static_cast<const char *>(text2), length2);
    const int result = static_cast<const RoCollation *>(collation)->compare(a, b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void destroyCollation(void *collation)
{
    delete static_cast<RoCollation *>(collation);
}

} // namespace

void RoCollation::install(const QSqlDatabase &db)
{
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Colatia RO cere o conexiune SQLite deschisa."), false);
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.data());
    if (!connection)
        throw DbError(QStringLiteral("Colatia RO cere o conexiune SQLite deschisa."), false);
    auto *collation = new RoCollation;
    const int rc = sqlite3_create_collation_v2(connection, sqlName, SQLITE_UTF8, collation,
                                               compareUtf8, destroyCollation);
    if (rc != SQLITE_OK) {
        // Unlike its other interfaces, SQLite does not free the argument on failure here.
        delete collation;
        throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), false);
    }
}
