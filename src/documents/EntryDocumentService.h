#pragma once

#include "documents/EntryDocumentHeader.h"
#include "documents/EntryLine.h"

#include <QDate>
#include <QString>

#include <optional>

class Database;
class Parameters;

// The rules of the entry documents (`Doc_in` with its lines `Item_in`), with no window:
// numbering, header checks, line saves and deletions that keep `Stoc` (and, with the
// orders module, `Stoc_Com`) in step with the stored lines.
//
// Every save or deletion is one write transaction. A refusal throws DocumentRefusal
// with the text to show and leaves every table as it was; engine failures throw DbError.
// The stock a line holds is always taken from its stored row, never from a copy the
// caller kept, so `Stoc` stays equal to what the recalculation rebuilds.
class EntryDocumentService
{
public:
    enum class LineMode {
        Normal,
        // A line inserted from a multiple selection: written without the completeness
        // check, but its quantity enters the stock like any other line's, so its later
        // completion moves the stock instead of taking away what was never added.
        FromSelection
    };

    EntryDocumentService(Database &db, const Parameters &parameters) : m_db(db), m_params(parameters) {}

    // A new document: allocates its registration number and writes its header row dated
    // `date` (both dates) at once, so that its lines always have a document and count
    // in the recalculation. Returns the header.
    EntryDocumentHeader newDocument(const QDate &date);
    // Checks and writes the header; throws DocumentRefusal (warning) when a check fails.
    void saveHeader(const EntryDocumentHeader &header);
    std::optional<EntryDocumentHeader> loadHeader(double contor) const;

    // Saves a line of document `line.contor`; a line without a line number, or whose
    // number is not stored, is new and gets the next number. Returns the line as saved.
    EntryLine saveLine(EntryLine line, LineMode mode = LineMode::Normal);
    // Deletes a saved line and takes its quantity out of the stock; false (nothing done)
    // when the line is not stored.
    bool deleteLine(double contor, double contorSecundar);
    // Deletes a document: every line by deleteLine(), the number given back when it is
    // still the last one allocated, then the header. Refused as a whole when any line's
    // quantity was already taken out by exits. Abandoning a new document is the same.
    void deleteDocument(double contor);
    void abandonDocument(double contor) { deleteDocument(contor); }

    // The first management unit in code order (the default of new lines); empty when none.
    QString firstUnit() const;

    static QString incompleteLineText();
    static QString typeMissingText();
    static QString datesMissingText();
    static QString futureDateText();
    static QString noLinesText();
    // A refusal that comes before anything is written; empty when the header passes.
    static QString headerRefusal(const EntryDocumentHeader &header, bool hasLines);
    static bool isComplete(const EntryLine &line);

private:
    void adjustStock(const std::optional<EntryLine> &stored, const EntryLine &line);
    void adjustOrders(const std::optional<EntryLine> &stored, const EntryLine &line);
    void removeLine(const EntryLine &stored);

    Database &m_db;
    const Parameters &m_params;
};
