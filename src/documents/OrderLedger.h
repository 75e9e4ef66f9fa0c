#pragma once

#include <QString>

class Database;

// The outstanding order quantities `Stoc_Com` that entry lines fulfil (orders module,
// parameter "CCom"). One row per order, classification code, inventory number and
// budget; a fully received order line has no row.
class OrderLedger
{
public:
    struct Key
    {
        double order = 0;  // Contor of the order (Doc_Com)
        QString group;     // Cod_grupa
        QString article;   // Cod_articol
        QString agent;     // Cod_agent

        friend bool operator==(const Key &, const Key &) = default;
    };

    OrderLedger(Database &db, double epsilon) : m_db(db), m_epsilon(epsilon) {}

    // Receives `delta` against the order line: a positive change takes it from the
    // outstanding quantity, a negative one gives it back (re-creating a row that was
    // fully received). Nothing for an empty inventory number or a zero change. Throws
    // DocumentRefusal (warning) for more than the outstanding quantity or for an
    // article never ordered; runs in (or joins) a write transaction.
    void ChangeOrder(const Key &key, double delta);

    static QString tooMuchText();
    static QString notOrderedText();

private:
    Database &m_db;
    double m_epsilon;
};
