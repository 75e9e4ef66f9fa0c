#pragma once

#include "app/NationalFormats.h"
#include "documents/ExitDocumentHeader.h"
#include "documents/ExitLine.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class Database;
class Parameters;

// The rules of the exit documents (`Doc_out` with its lines `Item_out`), with no window:
// numbering, header checks, line saves and deletions that take the lines' quantities out
// of `Stoc` (and put them back), the split of a take-out across the asset's other prices,
// the discount, the payment mark and the opening clean-up.
//
// Every save, deletion and split is one write transaction. A refusal throws
// DocumentRefusal with the text to show and leaves every table as it was; engine failures
// throw DbError. The stock a line holds is always taken from its stored row, never from a
// copy the caller kept, so `Stoc` stays equal to what the recalculation rebuilds.
//
// No transaction ever waits for the user. A save that meets a question (take the rest at
// another price? continue although more was paid than the document is worth?) rolls back
// and reports the question; the window asks it and saves again with the answer.
class ExitDocumentService
{
public:
    // The answer to the split question, given to the save that follows it.
    enum class SplitAnswer { NotAsked, Yes, No };

    struct LineSave
    {
        enum class Outcome {
            Saved,
            // The chosen stock row holds less than the line asks: ask `question`
            // (Yes/No) and save again with the answer. Nothing was written.
            NeedsSplitAnswer,
            // Answered No: nothing was written; the cursor goes back to "Cantitate".
            SplitDeclined
        };
        Outcome outcome = Outcome::Saved;
        // The line as saved (reduced to what its row held after a split), or as given.
        ExitLine line;
        // The lines the split added at the asset's other prices, in order.
        QList<ExitLine> added;
        QString question;
        // After a split that found too little at the other prices: the warning to show.
        // What was found stays saved.
        QString warning;
    };

    struct HeaderSave
    {
        enum class Outcome {
            Saved,
            // More is recorded as paid than the document is worth: ask `question`
            // (OK/Cancel) and save again with `overpaymentAccepted` for OK.
            NeedsConfirmation
        };
        Outcome outcome = Outcome::Saved;
        QString question;
    };

    ExitDocumentService(Database &db, const Parameters &parameters,
                        const NationalFormats &formats = NationalFormats::current())
        : m_db(db), m_params(parameters), m_formats(formats)
    {
    }

    // What the window does as it opens: exit lines left at zero quantity are deleted.
    // Returns the document to show first, the last one, or nullopt for a new one.
    std::optional<double> open();
    // The first management unit in code order: the default unit of new lines until a
    // line is saved, whose unit then becomes the default.
    QString firstUnit() const;

    // A new document: allocates its number from `NewCounterOut` and writes its header row
    // dated `date` (both dates), custodian empty, so that its lines always have a document.
    ExitDocumentHeader newDocument(const QDate &date);
    std::optional<ExitDocumentHeader> loadHeader(double contor) const;
    // Checks and writes the header; throws DocumentRefusal (warning) when a check fails.
    // The payment detail follows its receiving unit and registration date.
    HeaderSave saveHeader(const ExitDocumentHeader &header, bool overpaymentAccepted = false);
    // Deletes the document: every line with its quantity put back, the payment detail,
    // the header, and gives the number back when it is still the last one given out.
    // Abandoning a new document is the same.
    void deleteDocument(double contor);
    void abandonDocument(double contor) { deleteDocument(contor); }

    QList<ExitLine> lines(double contor) const;
    std::optional<ExitLine> loadLine(double contor, double contorSecundar) const;
    // Saves a line of document `line.contor`; a line without a line number, or whose
    // number is not stored, is new and gets the next number. An edit puts the stored
    // quantity back before it takes the new one. When the chosen stock row holds too
    // little the outcome asks the split question; answered Yes, the line takes what the
    // row holds and new lines take the rest from the asset's other prices, cheapest first.
    LineSave saveLine(ExitLine line, SplitAnswer answer = SplitAnswer::NotAsked);
    // Deletes a saved line and puts its quantity back; false (nothing done) when the
    // line is not stored.
    bool deleteLine(double contor, double contorSecundar);
    // An edit of a saved line given up: the stored line, to be shown again. A refused or
    // declined save wrote nothing, so the stock already matches it and nothing is undone.
    std::optional<ExitLine> cancelEdit(double contor, double contorSecundar) const;

    // "Aplica discount": every line with a catalogue row gets its sale price changed by
    // `percent`, its VAT, excise and equivalent price following.
    void applyDiscount(double contor, double percent);
    // The budget's discount, where the discount dialog starts.
    double discountOf(const QString &budget) const;
    // "&Total" answered Yes: the document's total is recorded as paid.
    void markPaidInFull(double contor);

    // The name of an asset, from the entry line that brought it in.
    QString assetName(const QString &group, const QString &article) const;
    // The unit of measure of the line's catalogue row; empty when there is none.
    QString unitOfMeasure(const QString &group, const QString &article) const;

    static QString incompleteLineText();
    static QString dueDateText();
    static QString overpaymentText(double paid, double total, const NationalFormats &formats = NationalFormats::current());
    static QString unknownReceivingUnitText(const QString &code);
    static QString noLinesForDiscountText();
    static QString discountTooLowText();
    static QString discountQuestionText();
    static QString discountDoneText();
    static QString deleteQuestionText();
    // The receiving unit typed: refused (the text returned) unless it is in `Gest`.
    QString receivingUnitRefusal(const QString &code) const;
    // A refusal that comes before anything is written; empty when the header passes.
    QString headerRefusal(const ExitDocumentHeader &header, bool hasLines) const;
    static bool isComplete(const ExitLine &line);

private:
    struct SplitNeeded
    {
        QString question;
    };
    struct SplitDeclined
    {
    };

    void takeOut(ExitLine &line, const std::optional<ExitLine> &stored, SplitAnswer answer, LineSave &result);
    void removeLine(const ExitLine &stored);

    Database &m_db;
    const Parameters &m_params;
    const NationalFormats &m_formats;
};
