#pragma once

#include "documents/EntryLine.h"

#include <QDate>
#include <QString>

class Database;

// The initial stock: the entry document with `Contor` -1 and its lines, for assets
// owned before record keeping started. The document has no registration date, so its
// lines count in the stock at every date. Its lines change the stock without the
// negative-stock check of the documents.
class InitialStock
{
public:
    static constexpr double documentNumber = -1;

    InitialStock(Database &db, double epsilon) : m_db(db), m_epsilon(epsilon) {}

    // Makes the document when it is missing, dated `date`.
    void ensureDocument(const QDate &date);
    // The date of the initial stock (invalid when the document is missing).
    QDate date() const;
    void setDate(const QDate &date);

    // Saves a line of the document; a line without a line number is new and gets the next
    // one. The stock moves from the stored line's key and quantity to the new ones when
    // any of them changed. The save is one transaction; an incomplete line, or a
    // public-domain one marked for depreciation, throws DocumentRefusal (warning) and
    // changes nothing. Returns the saved line.
    EntryLine saveLine(EntryLine line);
    // Deletes a line and takes its quantity out of the stock; nothing when it is missing.
    void deleteLine(double contorSecundar);

    static QString incompleteText();
    static QString documentType() { return QStringLiteral("XXX"); }
    static QString explanation() { return QStringLiteral("Introducere stocuri initiale"); }

private:
    void changeStock(const StockKey &key, double delta, const QString &barCode);

    Database &m_db;
    double m_epsilon;
};
