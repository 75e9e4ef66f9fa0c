#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Database;

// The order lines still waiting to be received (`Stoc_Com` rows whose requested and
// cancelled quantities differ) of the orders placed with one supplier.
class OutstandingOrders
{
public:
    struct Line
    {
        double order = 0;      // Contor of the order (Doc_Com)
        double number = 0;     // Numar of the order
        QDate date;            // Data of the order
        QString group;         // Cod_grupa
        QString article;       // Cod_articol
        QString agent;         // Cod_agent (budget)
        QString name;          // Denumire of the catalogue row, when there is one
        double requested = 0;  // Cant_solicitata
        double cancelled = 0;  // Cant_anulata

        double outstanding() const { return requested - cancelled; }
    };

    explicit OutstandingOrders(Database &db) : m_db(db) {}

    // In order of registration number, classification code and inventory number. An
    // empty supplier has no orders. Throws DbError.
    QList<Line> ofSupplier(const QString &supplier) const;

private:
    Database &m_db;
};
