#include "db/DbError.h"

// SQLite result codes: SQLITE_CONSTRAINT and its extended primary-key / unique forms.
static constexpr int kConstraint = 19;
static constexpr int kConstraintPrimaryKey = 1555;
static constexpr int kConstraintUnique = 2067;

DbError::DbError(const QSqlError &error)
    : DbError(error.databaseText().isEmpty() ? error.text() : error.databaseText(),
              isKeyViolation(error))
{
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6), with or without their extended codes.
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    m_busy = ok && (code == 5 || code == 6);
}

DbError::DbError(const QString &engineMessage, bool keyViolation)
    : std::runtime_error(engineMessage.toStdString()), m_message(engineMessage),
      m_keyViolation(keyViolation)
{
}

QString DbError::userText() const
{
    return QStringLiteral("Eroare de acces la baza de date!\n<%1>").arg(m_message);
}

QString DbError::reportText() const
{
    return userText() + QLatin1Char('!');
}

void DbError::check(const QSqlError &error)
{
    if (error.isValid())
        throw DbError(error);
}

bool DbError::isKeyViolation(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    if (ok && (code == kConstraintPrimaryKey || code == kConstraintUnique))
        return true;
    // Without extended codes SQLite reports 19 for every constraint; tell them apart by text.
    return ok && code == kConstraint
        && (error.databaseText().contains(QLatin1String("UNIQUE"))
            || error.databaseText().contains(QLatin1String("PRIMARY KEY")));
}
