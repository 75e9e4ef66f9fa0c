#pragma once

#include <QCollator>
#include <QStringView>

class QSqlDatabase;

// Romanian, case-insensitive string order: ă after a, â after ă, î after i, ș after s,
// ț after t (cedilla and comma-below forms alike). It orders name columns and every
// case-insensitive index; SQL uses it as COLLATE RO.
class RoCollation
{
public:
    static constexpr const char *sqlName = "RO";

    RoCollation();
    int compare(QStringView a, QStringView b) const;

    // Registers RO on an open SQLite connection; each connection gets its own collator.
    // Throws DbError when the connection is not an open SQLite one.
    static void install(const QSqlDatabase &db);

private:
    QCollator m_collator;
};
