#pragma once

#include "documents/ExitLine.h"

#include <QList>

#include <optional>

class Database;

// Reads and writes whole `Item_out` rows by document and line number. No stock rule
// here: ExitDocumentService keeps `Stoc` in step.
class ExitLineStore
{
public:
    explicit ExitLineStore(Database &db) : m_db(db) {}

    std::optional<ExitLine> load(double contor, double contorSecundar) const;
    // The line needs its line number; throws DbError (a key violation when taken).
    void insert(const ExitLine &line);
    void update(const ExitLine &line);
    void remove(double contor, double contorSecundar);
    // The lines of a document in line-number order.
    QList<ExitLine> lines(double contor) const;
    bool hasLines(double contor) const;
    // Lines left with a quantity of exactly zero take nothing out of the stock; they are
    // dropped when the exit window opens. Returns how many went.
    int removeZeroQuantityLines();

private:
    Database &m_db;
};
