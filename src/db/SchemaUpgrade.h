#pragma once

#include "db/TVTable.h"

#include <QString>

#include <functional>
#include <optional>

class Database;

// Brings the tables of an older data directory up to the current layout: the
// pre-version upgrade (directories without a version record), the field-by-field
// upgrade and the repair of the transfer marks. Each step looks for its field and
// changes the table only when the field is missing; a table that does not exist is
// left to the structure check. The caller runs the steps in one write transaction, so
// that a failure leaves the directory as it was.
class SchemaUpgrade
{
public:
    using StatusHandler = std::function<void(const QString &text)>;

    explicit SchemaUpgrade(Database &db, StatusHandler status = {});

    // True when `Versiune` is missing or holds no record.
    bool preVersionNeeded() const;
    // True when the last step (the budget field of the exit lines) had to run.
    bool runPreVersion();
    // True when the last step (the share capital as text) had to run.
    bool runFieldByField();
    // Marks as transfers the exit documents paired with a transfer entry; returns how
    // many were marked.
    int repairTransfers();

private:
    struct Step
    {
        const char *table;
        const char *lookedFor;
        QList<DEF_FIELD> fields;
        const char *update = nullptr;
    };

    std::optional<TVTable> read(const QString &table) const;
    // True when the table exists and lacks the field.
    bool lacks(const QString &table, const QString &field) const;
    void addColumn(const QString &table, const DEF_FIELD &field);
    // Makes the table anew with `leading` fields first, then every other column of the
    // old table, copies all rows by column name and gives it `indexes`.
    void rebuild(const QString &table, const QStringList &leading, const QList<DEF_INDEX> &indexes);
    void upgradeReceipts();
    void dropOldCatalogIndexes();
    void createPlainTable(const QString &table);
    void status(const QString &text);

    Database &m_db;
    StatusHandler m_status;
};
