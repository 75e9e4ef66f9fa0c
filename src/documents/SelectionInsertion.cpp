#include "documents/SelectionInsertion.h"

#include "db/Database.h"
#include "documents/EntryComputations.h"
#include "documents/EntryDocumentService.h"

QList<EntryLine> SelectionInsertion::insert(double contor, const QString &unit,
                                            const QList<QPair<QString, QString>> &articles, const QString &type)
{
    const EntryComputations computations(m_db, m_params);
    return m_db.writeTransaction([&] {
        QList<EntryLine> saved;
        for (const auto &[group, article] : articles) {
            EntryLine line;
            line.contor = contor;
            line.unit = unit;
            line.group = group;
            // Inside the transaction: a generated inventory number sees the lines
            // inserted before it.
            computations.groupSet(line);
            line.article = article;
            computations.articleSet(line);
            line.tva = computations.lineTva(line, type);
            saved << m_service.saveLine(line, EntryDocumentService::LineMode::FromSelection);
        }
        return saved;
    });
}
