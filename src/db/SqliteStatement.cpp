#include "db/SqliteStatement.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QDate>
#include <QSqlDriver>

#include <sqlite3.h>

SqliteStatement::SqliteStatement(Database &db, const QString &sql)
{
    const QVariant h = db.connection().driver()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3 *const *>(h.constData());
    if (!m_db)
        throw DbError(QStringLiteral("no engine handle"), false);
    if (sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * sizeof(QChar)), &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::fail() const
{
    throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)), false);
}

void SqliteStatement::bind(const QString &name, const QVariant &value)
{
    const int index = sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
    if (index > 0)
        bind(index, value);
}

// Values are bound as the Qt driver would bind them.
void SqliteStatement::bind(int index, const QVariant &v)
{
    int rc = SQLITE_OK;
    if (v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
            break;
        default: {
            const QString text = v.toString();
            rc = sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * sizeof(QChar)),
                                     SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

void SqliteStatement::bind(int index, double value)
{
    if (sqlite3_bind_double(m_stmt, index, value) != SQLITE_OK)
        fail();
}

void SqliteStatement::bindColumn(int index, const SqliteStatement &from, int column)
{
    if (sqlite3_bind_value(m_stmt, index, sqlite3_column_value(from.m_stmt, column)) != SQLITE_OK)
        fail();
}

bool SqliteStatement::next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail();
    return false;
}

bool SqliteStatement::execute()
{
    const int rc = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    return rc == SQLITE_DONE;
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString SqliteStatement::text(int column) const
{
    // The data directory stores UTF-8: reading it as such spares the engine a conversion.
    const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!chars)
        return QString();
    return QString::fromUtf8(chars, sqlite3_column_bytes(m_stmt, column));
}

double SqliteStatement::number(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

bool SqliteStatement::boolean(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return QVariant(text(column)).toBool();
    default:
        return sqlite3_column_double(m_stmt, column) != 0;
    }
}

QDate SqliteStatement::date(int column) const
{
    if (sqlite3_column_type(m_stmt, column) != SQLITE_TEXT)
        return QDate();
    return isoDate(bytes(column));
}

QDate SqliteStatement::isoDate(QByteArrayView text)
{
    if (text.size() < 10)
        return QDate();
    const char *s = text.data();
    auto digits = [s](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return -1;
            n = n * 10 + (s[i] - '0');
        }
        return n;
    };
    const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (y < 0 || m < 0 || d < 0 || s[4] != '-' || s[7] != '-')
        return QDate();
    return QDate(y, m, d);
}

int SqliteStatement::type(int column) const
{
    return sqlite3_column_type(m_stmt, column);
}

QByteArrayView SqliteStatement::bytes(int column) const
{
    const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!chars)
        return QByteArrayView();
    return QByteArrayView(chars, sqlite3_column_bytes(m_stmt, column));
}

QString SqliteStatement::rowText(int columns) const
{
    QString all;
    for (int i = 0; i < columns; ++i) {
        // The type travels with the value: 1 and '1' are different rows. Numbers are read
        // as numbers, so that no value is converted in place.
        const int type = sqlite3_column_type(m_stmt, i);
        all += QString::number(type) + QLatin1Char(':');
        if (type == SQLITE_INTEGER)
            all += QString::number(sqlite3_column_int64(m_stmt, i));
        else if (type == SQLITE_FLOAT)
            all += QString::number(sqlite3_column_double(m_stmt, i), 'g', 17);
        else if (type != SQLITE_NULL)
            all += text(i);
        all += QChar(0x1f);
    }
    return all;
}
