#pragma once

#include "documents/EntryLine.h"

#include <optional>

class Database;

// Reads and writes whole `Item_in` rows by document and line number. No stock rule
// here: the services that call it keep `Stoc` in step.
class EntryLineStore
{
public:
    explicit EntryLineStore(Database &db) : m_db(db) {}

    std::optional<EntryLine> load(double contor, double contorSecundar) const;
    // The line needs its line number; throws DbError (a key violation when taken).
    void insert(const EntryLine &line);
    // Rewrites the stored row of the line's document and line number.
    void update(const EntryLine &line);
    void remove(double contor, double contorSecundar);
    // The lines of a document in line-number order.
    QList<EntryLine> lines(double contor) const;
    // The entry line that describes an asset (its name and depreciation data): the first
    // stored line of the inventory number, one of the same classification code first;
    // nullopt when the asset never entered.
    std::optional<EntryLine> firstForAsset(const QString &group, const QString &article) const;

private:
    Database &m_db;
};
