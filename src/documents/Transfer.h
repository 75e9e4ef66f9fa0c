#pragma once

#include <QString>

#include <optional>

class Database;
class Parameters;

// "T&ransfer": turns a saved exit document into an entry document of the receiving
// management unit, so that its assets enter that unit's stock with their depreciation
// data. The exit header becomes a transfer note ("BT"); each exit line becomes an entry
// line of the receiving unit, numbered from 0. The exit lines already took their stock
// out when they were saved.
//
// One write transaction: a refusal anywhere leaves every table as it was.
class Transfer
{
public:
    Transfer(Database &db, const Parameters &parameters) : m_db(db), m_params(parameters) {}

    // Transfers exit document `contor` into `receivingUnit`. The entry document's
    // explanation names the management unit of line `currentLine` (the first line when
    // not given). Returns the entry document's registration number. Throws
    // DocumentRefusal: a header that fails its checks, an unknown receiving unit, a
    // document already transferred (which would enter the same assets twice), a
    // returned quantity the receiving unit does not hold.
    double run(double contor, const QString &receivingUnit, std::optional<double> currentLine = std::nullopt);

    // The entry document made by an earlier transfer of the exit document, if any. It is
    // recognised by what a transfer writes: an entry document of type "BT" with the exit
    // document's number and both dates, explained "Transfer din gestiunea ...", holding a
    // line that brought one of the exit document's assets (same codes, price, `Lot` and
    // budget) into another unit than the one the exit line took it from.
    std::optional<double> earlierTransfer(double contor) const;

    static QString alreadyTransferredText(double entryContor);
    static QString noReceivingUnitText();
    static QString workingText();
    static QString doneText();
    static QString entryAccessErrorText(const QString &engineMessage);
    static QString exitExplanation() { return QStringLiteral("Transfer"); }
    static QString entryExplanationPrefix() { return QStringLiteral("Transfer din gestiunea "); }

private:
    Database &m_db;
    const Parameters &m_params;
};
