#pragma once

#include "documents/StockKey.h"

#include <QString>

#include <optional>

class Database;

// The current stock `Stoc`: one row per stock key, never a row whose quantity lies
// within the tolerance of zero. Rows change only through ChangeStock.
class StockLedger
{
public:
    // Documents refuse a change that would make the stock negative; the initial-stock
    // lines do not check.
    enum class NegativeCheck { Refuse, Allow };

    StockLedger(Database &db, double epsilon) : m_db(db), m_epsilon(epsilon) {}

    // Adds `delta` to the row of `key`: the row is made when missing and deleted when
    // the result counts as zero. Nothing happens for an empty inventory number or a zero
    // change. With NegativeCheck::Refuse a removal that finds no row, or leaves the
    // quantity at or below -epsilon, throws DocumentRefusal with the negative-stock text
    // and changes nothing. Runs in (or joins) a write transaction.
    void ChangeStock(const StockKey &key, double delta, const QString &barCode = QString(),
                     NegativeCheck check = NegativeCheck::Refuse);

    // The quantity of the key's row; 0 when there is none.
    double quantity(const StockKey &key) const;

    // The pieces ChangeStock is made of, for the exit documents' own form of it. Each
    // runs inside the caller's write transaction, so what find() read is still true
    // when store() writes.
    struct Row
    {
        qlonglong rowid = 0;
        double quantity = 0;
    };
    // When a quantity counts as zero: the entry documents keep a row holding exactly
    // epsilon, the exit documents (and the recalculation) do not.
    enum class ZeroRule { BelowEpsilon, UpToEpsilon };
    std::optional<Row> find(const StockKey &key) const;
    void insert(const StockKey &key, double quantity, const QString &barCode = QString());
    // Writes the row's new quantity, or deletes the row when the quantity counts as zero.
    void store(const Row &row, double quantity, ZeroRule rule);
    double epsilon() const { return m_epsilon; }

    static QString negativeStockText();

private:
    Database &m_db;
    double m_epsilon;
};
