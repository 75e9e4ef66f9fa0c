#pragma once

#include "documents/EntryLine.h"

#include <QList>
#include <QPair>
#include <QString>

class Database;
class EntryDocumentService;
class Parameters;

// The lines an entry document gets from a multiple selection of catalogue articles:
// each with the unit given, the article's classification code and inventory number
// (the checks and defaults of a typed code and number: quantity 1, the middle of the
// normal life) and its VAT, numbered on from the document's highest line number.
//
// All or nothing: the lines are written in one transaction, so a refused article (an
// unknown classification code, no inventory number left to generate) leaves the
// document and the stock as they were.
class SelectionInsertion
{
public:
    SelectionInsertion(Database &db, const Parameters &parameters, EntryDocumentService &service)
        : m_db(db), m_params(parameters), m_service(service)
    {
    }

    // Articles are (classification code, inventory number) pairs, in the list's order;
    // `type` is the document's type, which decides the VAT. Returns the lines as saved.
    // Throws DocumentRefusal or DbError, having written nothing.
    QList<EntryLine> insert(double contor, const QString &unit, const QList<QPair<QString, QString>> &articles,
                            const QString &type);

private:
    Database &m_db;
    const Parameters &m_params;
    EntryDocumentService &m_service;
};
