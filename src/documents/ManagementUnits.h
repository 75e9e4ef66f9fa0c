#pragma once

#include <QList>
#include <QString>

class Database;

// The management units of `Gest` as the documents need them: the default unit of new
// lines, names shown beside codes, the check of a typed code, the list to choose from.
class ManagementUnits
{
public:
    struct Unit
    {
        QString code;
        QString name;
        friend bool operator==(const Unit &, const Unit &) = default;
    };

    explicit ManagementUnits(Database &db) : m_db(db) {}

    // The first unit in code order; empty when there is none.
    QString first() const;
    // The unit's name; empty for an empty or unknown code.
    QString name(const QString &code) const;
    bool exists(const QString &code) const;
    // Every unit, by name.
    QList<Unit> byName() const;

private:
    Database &m_db;
};
