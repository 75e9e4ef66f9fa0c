#include "db/PagedQuery.h"

#include "db/Database.h"
#include "db/RoCollation.h"
#include "db/SqlDialect.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

// The row number a sorted copy keeps with each row, 1 for the first.
const char *const rowNumber = "pq_row";

QString column(const PagedQuery::SortField &field)
{
    QString c = QStringLiteral("q.") + SqlDialect::quote(field.name);
    if (field.romanian)
        c += QStringLiteral(" COLLATE ") + QLatin1String(RoCollation::sqlName);
    return c;
}

} // namespace

PagedQuery::PagedQuery(Database &db, int pageSize, int keptPages)
    : m_db(db), m_pageSize(qMax(1, pageSize)), m_keptPages(qMax(2, keptPages))
{
}

PagedQuery::~PagedQuery()
{
    try {
        dropSorted();
    } catch (...) {
        // The connection may be gone already; its temporary tables went with it.
    }
}

void PagedQuery::dropSorted()
{
    if (!m_sortedTable.isEmpty() && m_sortedReady)
        m_db.run(QStringLiteral("DROP TABLE IF EXISTS %1").arg(m_db.dialect().temporaryTable(m_sortedTable)));
    m_sortedReady = false;
}

QString PagedQuery::source()
{
    if (m_reading == Reading::Direct)
        return m_select;
    if (!m_sortedReady) {
        if (m_sortedTable.isEmpty()) {
            // One table per query object: two windows on one connection keep theirs apart.
            static quint64 made = 0;
            m_sortedTable = QStringLiteral("pq_sorted_%1").arg(++made);
        }
        m_db.run(QStringLiteral("DROP TABLE IF EXISTS %1").arg(m_db.dialect().temporaryTable(m_sortedTable)));
        QString order = orderBy();
        order.remove(0, int(qstrlen(" ORDER BY ")));
        // A column compared with RO in the order is an expression of its own to the engine,
        // which would work out a looked-up name once for the sort and again for the copy:
        // the rows are copied as they come first, and sorted from that copy.
        const bool romanian = std::any_of(m_order.cbegin(), m_order.cend(), [](const SortField &f) { return f.romanian; });
        const QString rows = m_sortedTable + QStringLiteral("_rows");
        QString select = m_select;
        if (romanian) {
            m_db.run(QStringLiteral("DROP TABLE IF EXISTS %1").arg(m_db.dialect().temporaryTable(rows)));
            m_db.run(QStringLiteral("CREATE TEMPORARY TABLE %1 AS %2").arg(SqlDialect::quote(rows), m_select), m_bindings);
            select = QStringLiteral("SELECT * FROM %1").arg(m_db.dialect().temporaryTable(rows));
        }
        const QStringList statements = m_db.dialect().createSortedCopy(m_sortedTable, select, order);
        for (const QString &statement : statements) {
            m_db.run(statement, m_bindings);
            m_sortedReady = true;
        }
        if (romanian)
            m_db.run(QStringLiteral("DROP TABLE %1").arg(m_db.dialect().temporaryTable(rows)));
    }
    // The row number under a name of ours, so that conditions over q can use it.
    return QStringLiteral("SELECT t.*, t.%1 AS %2 FROM %3 t")
        .arg(m_db.dialect().sortedCopyRowNumber(), QLatin1String(rowNumber), m_db.dialect().temporaryTable(m_sortedTable));
}

void PagedQuery::setQuery(const QString &select, const QVariantMap &bindings, const QList<SortField> &order,
                          Reading reading)
{
    m_select = select;
    m_bindings = bindings;
    m_order = order;
    m_reading = reading;
    m_fields = QSqlRecord();
    m_fieldsRead = false;
    m_pagesRead = 0;
    reset();
}

void PagedQuery::reset()
{
    m_count = -1;
    m_pages.clear();
    dropSorted();
}

QString PagedQuery::orderBy() const
{
    QStringList parts;
    for (const SortField &f : m_order)
        parts << column(f);
    return parts.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

int PagedQuery::count()
{
    if (m_count < 0) {
        if (m_select.isEmpty())
            return 0;
        QSqlQuery q = m_db.run(QStringLiteral("SELECT COUNT(*) FROM (%1) q").arg(source()), m_bindings);
        m_count = q.next() ? q.value(0).toInt() : 0;
    }
    return m_count;
}

QSqlRecord PagedQuery::fields()
{
    if (!m_fieldsRead && !m_select.isEmpty()) {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM (%1) q LIMIT 0").arg(m_select), m_bindings);
        m_fields = q.record();
        m_fieldsRead = true;
    }
    return m_fields;
}

const QList<QSqlRecord> &PagedQuery::page(int index)
{
    auto found = m_pages.find(index);
    if (found == m_pages.end()) {
        QVariantMap bindings = m_bindings;
        const bool sorted = m_reading == Reading::Sorted;
        QString sql;
        if (sorted) {
            // The sorted copy is read by its row numbers, through their index.
            sql = QStringLiteral("SELECT * FROM (%1) q WHERE q.%2 > :pageFirst AND q.%2 <= :pageLast ORDER BY q.%2")
                      .arg(source(), QLatin1String(rowNumber));
            bindings.insert(QStringLiteral(":pageFirst"), index * m_pageSize);
            bindings.insert(QStringLiteral(":pageLast"), (index + 1) * m_pageSize);
        } else {
            sql = QStringLiteral("SELECT * FROM (%1) q%2 LIMIT :pageLimit OFFSET :pageOffset").arg(m_select, orderBy());
            bindings.insert(QStringLiteral(":pageLimit"), m_pageSize);
            bindings.insert(QStringLiteral(":pageOffset"), index * m_pageSize);
        }
        QSqlQuery q = m_db.run(sql, bindings);
        Page page;
        while (q.next()) {
            QSqlRecord record = q.record();
            if (sorted)
                record.remove(record.count() - 1);
            page.rows << record;
        }
        if (!m_fieldsRead && !sorted) {
            m_fields = q.record();
            m_fieldsRead = true;
        }
        ++m_pagesRead;
        // Only the pages used last stay.
        while (int(m_pages.size()) >= m_keptPages) {
            auto oldest = m_pages.begin();
            for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
                if (it->second.used < oldest->second.used)
                    oldest = it;
            }
            m_pages.erase(oldest);
        }
        found = m_pages.emplace(index, std::move(page)).first;
    }
    found->second.used = ++m_clock;
    return found->second.rows;
}

QSqlRecord PagedQuery::record(int row)
{
    if (row < 0 || row >= count())
        return {};
    const QList<QSqlRecord> &rows = page(row / m_pageSize);
    const int at = row % m_pageSize;
    return at < rows.size() ? rows.at(at) : QSqlRecord();
}

QVariant PagedQuery::value(int row, int column)
{
    if (row < 0 || row >= count())
        return {};
    const QList<QSqlRecord> &rows = page(row / m_pageSize);
    const int at = row % m_pageSize;
    return at < rows.size() ? rows.at(at).value(column) : QVariant();
}

QString PagedQuery::beforeCondition(const QVariantList &key, QVariantMap &bindings) const
{
    // (f1 < v1) OR (f1 = v1 AND f2 < v2) OR ...; NULLs sort first, as SQLite orders them.
    QStringList alternatives;
    QStringList equalSoFar;
    const int n = int(qMin(key.size(), m_order.size()));
    for (int i = 0; i < n; ++i) {
        const QString c = column(m_order.at(i));
        const QString plain = QStringLiteral("q.") + SqlDialect::quote(m_order.at(i).name);
        const QString name = QStringLiteral(":k%1").arg(i);
        QString less;
        QString equal;
        if (key.at(i).isNull()) {
            less = QStringLiteral("1 = 0");
            equal = plain + QStringLiteral(" IS NULL");
        } else {
            bindings.insert(name, key.at(i));
            less = QStringLiteral("(%1 IS NULL OR %2 < %3)").arg(plain, c, name);
            equal = QStringLiteral("(%1 IS NOT NULL AND %2 = %3)").arg(plain, c, name);
        }
        QStringList parts = equalSoFar;
        parts << less;
        alternatives << QLatin1Char('(') + parts.join(QStringLiteral(" AND ")) + QLatin1Char(')');
        equalSoFar << equal;
    }
    return alternatives.isEmpty() ? QStringLiteral("1 = 0") : alternatives.join(QStringLiteral(" OR "));
}

QVariantList PagedQuery::keyOf(const QSqlRecord &record) const
{
    QVariantList key;
    for (const SortField &f : m_order)
        key << record.value(f.name);
    return key;
}

int PagedQuery::rowsBefore(const QVariantList &key)
{
    if (m_select.isEmpty())
        return 0;
    QVariantMap bindings = m_bindings;
    const QString before = beforeCondition(key, bindings);
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COUNT(*) FROM (%1) q WHERE %2").arg(source(), before), bindings);
    return q.next() ? q.value(0).toInt() : 0;
}

int PagedQuery::findFrom(int fromRow, const QString &condition, const QVariantMap &bindings)
{
    if (fromRow < 0)
        fromRow = 0;
    if (fromRow >= count())
        return -1;
    QVariantMap all = m_bindings;
    for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
        all.insert(it.key(), it.value());
    if (m_reading == Reading::Sorted) {
        all.insert(QStringLiteral(":fromRow"), fromRow);
        QSqlQuery q = m_db.run(QStringLiteral("SELECT q.%1 FROM (%2) q WHERE (%3) AND q.%1 > :fromRow ORDER BY q.%1 LIMIT 1")
                                   .arg(QLatin1String(rowNumber), source(), condition),
                               all);
        return q.next() ? q.value(0).toInt() - 1 : -1;
    }
    const QString notBefore =
        QStringLiteral("NOT (%1)").arg(beforeCondition(keyOf(record(fromRow)), all));
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM (%1) q WHERE (%2) AND %3%4 LIMIT 1")
                               .arg(m_select, condition, notBefore, orderBy()),
                           all);
    if (!q.next())
        return -1;
    return rowsBefore(keyOf(q.record()));
}

int PagedQuery::loadedRows() const
{
    int rows = 0;
    for (const auto &[index, page] : m_pages)
        rows += int(page.rows.size());
    return rows;
}
