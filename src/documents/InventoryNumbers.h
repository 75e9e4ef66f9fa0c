#pragma once

#include <QString>

class Database;

// Inventory numbers generated from the classification code (parameter "CGenCod"):
// code + "/" + a three-digit sequence, one more than the highest number of that prefix
// among all entry lines in text order.
class InventoryNumbers
{
public:
    explicit InventoryNumbers(Database &db) : m_db(db) {}

    // The next number for the classification code. Throws DocumentRefusal (warning)
    // when the prefix reached 999, DbError on engine failures.
    QString next(const QString &classificationCode) const;

    // The sequence that follows `highest` (the highest number of the prefix, empty when
    // none): "001" when there is none or it is not a number, empty after "999".
    static QString followingSequence(const QString &prefix, const QString &highest);
    static QString exhaustedText();

private:
    Database &m_db;
};
