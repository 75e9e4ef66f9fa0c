#pragma once

#include "documents/ExitLine.h"

#include <QList>

#include <optional>

class Database;

// Whole `Item_prof` rows by proposal and line number. A proposal line holds the same
// values as the exit line it becomes (the stock row it names, the quantity and the
// hidden sale and account fields), so it is kept as an ExitLine; only the width of the
// classification code differs. No stock rule here: a proposal changes no stock.
class ProposalLineStore
{
public:
    explicit ProposalLineStore(Database &db) : m_db(db) {}

    std::optional<ExitLine> load(double contor, double contorSecundar) const;
    void insert(const ExitLine &line);
    void update(const ExitLine &line);
    void remove(double contor, double contorSecundar);
    void removeAll(double contor);
    // The lines of a proposal in line-number order.
    QList<ExitLine> lines(double contor) const;
    bool hasLines(double contor) const;
    // Another line of the proposal (any line when `contorSecundar` is empty) naming the
    // same classification code and inventory number.
    bool hasOtherLineFor(double contor, const std::optional<double> &contorSecundar, const QString &group,
                         const QString &article) const;

    static QVariantMap fieldValues(const ExitLine &line);

private:
    Database &m_db;
};
