#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <map>

class Database;

// The rows of one SELECT in a fixed order, read a page at a time instead of whole: the
// row count comes from SQL (COUNT), a row's page is read (LIMIT/OFFSET) when the row is
// asked for, and only the pages used last are kept. The order must be total (its last
// fields a unique key), so that a row keeps its number from one page to the next.
// Browsing windows use it through PagedQueryModel; it throws DbError on engine errors.
//
// An order that no index gives (names looked up per row, sums per group) would make every
// page sort the whole result again. Read `Sorted`, the result is sorted once, when first
// needed after setQuery() or reset(), into a temporary table of this connection numbered
// in the order; pages, counts, searches and positions then read that table.
class PagedQuery
{
public:
    enum class Reading { Direct, Sorted };

    struct SortField
    {
        QString name;          // a column of the result
        bool romanian = false; // compared with the RO collation
    };

    explicit PagedQuery(Database &db, int pageSize = 200, int keptPages = 12);
    ~PagedQuery();
    PagedQuery(const PagedQuery &) = delete;
    PagedQuery &operator=(const PagedQuery &) = delete;

    // `select`: a SELECT without ORDER BY whose result holds the order's fields.
    void setQuery(const QString &select, const QVariantMap &bindings, const QList<SortField> &order,
                  Reading reading = Reading::Direct);
    Reading reading() const { return m_reading; }
    // Forgets the count and the pages: the next read sees the tables as they are now.
    void reset();
    bool hasQuery() const { return !m_select.isEmpty(); }

    int count();
    // The result's columns (no values).
    QSqlRecord fields();
    QSqlRecord record(int row);
    QVariant value(int row, int column);

    // How many rows sort before these values of the order's first fields: the row where a
    // row with them is, or would be.
    int rowsBefore(const QVariantList &key);
    // The first row from `fromRow` on (in the order) for which `condition`, an SQL
    // condition over the result's columns with its own bound values, holds; -1 when none.
    int findFrom(int fromRow, const QString &condition, const QVariantMap &bindings = {});

    // Rows held in memory now, and pages read since the query was set.
    int loadedRows() const;
    int pagesRead() const { return m_pagesRead; }
    int pageSize() const { return m_pageSize; }

private:
    struct Page
    {
        QList<QSqlRecord> rows;
        quint64 used = 0;
    };

    const QList<QSqlRecord> &page(int index);
    QString orderBy() const;
    // "rows before key" and "row equal to key" over the first key.size() order fields,
    // binding the values as :k0, :k1, ...; never NULL, so it can be negated.
    QString beforeCondition(const QVariantList &key, QVariantMap &bindings) const;
    QVariantList keyOf(const QSqlRecord &record) const;
    // What pages, counts and searches read: the query itself, or its sorted copy.
    QString source();
    void dropSorted();

    Database &m_db;
    int m_pageSize;
    int m_keptPages;
    QString m_select;
    QVariantMap m_bindings;
    QList<SortField> m_order;
    Reading m_reading = Reading::Direct;
    QString m_sortedTable; // the temporary table, empty until made
    bool m_sortedReady = false;
    int m_count = -1;
    QSqlRecord m_fields;
    bool m_fieldsRead = false;
    std::map<int, Page> m_pages;
    quint64 m_clock = 0;
    int m_pagesRead = 0;
};
