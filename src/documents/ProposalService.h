#pragma once

#include "app/NationalFormats.h"
#include "documents/ExitLine.h"
#include "documents/ProposalHeader.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class Database;
class Parameters;

// The rules of the scrapping proposals (`Doc_prof` with its lines `Item_prof`), with no
// window: numbering from `NewCounterProf`, header and line checks, the comparison of
// what is proposed with what is in stock, and the generation of the scrapping exit
// document ("CSR") that takes the proposed assets out of `Stoc`.
//
// A proposal never changes `Stoc`: saving, deleting and abandoning touch only the
// proposal's own rows. Every write is one transaction; a refusal throws DocumentRefusal
// and leaves every table as it was, engine failures throw DbError.
class ProposalService
{
public:
    struct LineSave
    {
        ExitLine line; // as saved, with its line number
        // More of the saved line's asset is proposed, over all proposals, than is in
        // stock: show overStockText(). The line stays saved.
        bool overStock = false;
    };

    // One line of "Lista casarilor": the proposed line with the stock of its asset.
    struct StockCheck
    {
        ExitLine line;
        QString unitName;
        QString name;
        double inStock = 0;  // "Stoc exist": the asset's stock over every unit and price
        double proposed = 0; // the asset's quantity over every proposal
        double final() const { return inStock - proposed; } // "Stoc fin"
    };

    struct Generation
    {
        double exitContor = 0;
        int written = 0;  // lines written to the exit document
        int leftOut = 0;  // lines left out for a negative "Stoc fin"
    };

    ProposalService(Database &db, const Parameters &parameters,
                    const NationalFormats &formats = NationalFormats::current());

    // The proposal to show first, the last one, or nullopt for a new one.
    std::optional<double> open() const;
    QString firstUnit() const;

    // A new proposal numbered from `NewCounterProf`, both dates `date`, written at once
    // so that its lines always have a header.
    ProposalHeader newProposal(const QDate &date);
    std::optional<ProposalHeader> loadHeader(double contor) const;
    // The first check the header fails, empty when it passes.
    QString headerRefusal(const ProposalHeader &header, bool hasLines) const;
    // Checks and writes the header; throws DocumentRefusal (warning) when a check fails.
    void saveHeader(const ProposalHeader &header);
    // Deletes the lines and the header and gives the number back when it is still the
    // last one given out. Abandoning a new proposal is the same. No stock changes.
    void deleteProposal(double contor);
    void abandonProposal(double contor) { deleteProposal(contor); }

    QList<ExitLine> lines(double contor) const;
    std::optional<ExitLine> loadLine(double contor, double contorSecundar) const;
    // Saves a line of proposal `line.contor`; a line without a stored number is new and
    // gets the next one. Refused when incomplete or when another line of the proposal
    // names the same asset.
    LineSave saveLine(ExitLine line);
    bool deleteLine(double contor, double contorSecundar);

    // The asset's stock over every unit and price, and its quantity over every proposal.
    double stockOf(const QString &group, const QString &article) const;
    double proposedOf(const QString &group, const QString &article) const;
    // Whether any asset of the proposal is proposed, over all proposals, beyond its stock.
    bool overStock(double contor) const;
    QList<StockCheck> stockCheck(double contor) const;
    bool isNegative(const StockCheck &row) const;

    // Writes the "CSR" exit document of the proposal dated `date`: its header from the
    // proposal, one line per proposal line whose "Stoc fin" is not negative, each taking
    // its quantity out of the stock row it names. One transaction: a line whose stock row
    // is gone or holds too little refuses the whole generation and nothing is written.
    Generation generate(double contor, const QDate &date);

    QString assetName(const QString &group, const QString &article) const;

    static QString incompleteLineText();
    static QString duplicateLineText();
    static QString overStockText();
    static QString overStockBlockText();
    static QString unknownBudgetText(const QString &code);
    static QString negativeStockQuestion();
    static QString deleteQuestionText();
    static QString saveQuestionText();
    static QString scrappingType() { return QStringLiteral("CSR"); }
    static bool isComplete(const ExitLine &line);

private:
    Database &m_db;
    const Parameters &m_params;
    const NationalFormats &m_formats;
};
