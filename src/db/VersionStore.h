#pragma once

#include <QString>

class Database;

// The version record of a data directory (table `Versiune`, one record, field `Ver`):
// which program version opened the directory last.
class VersionStore
{
public:
    enum class Outcome { Inserted, Updated, Unchanged };

    explicit VersionStore(Database &db) : m_db(db) {}

    // The stored version; empty when the table holds no record.
    QString read() const;
    // Inserts the record when there is none, rewrites a differing one, leaves an equal
    // one untouched. Versions longer than the field are cut to its 10 characters.
    Outcome store(const QString &version);

private:
    Database &m_db;
};
