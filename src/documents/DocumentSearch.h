#pragma once

#include "catalogs/SearchCriteria.h"

#include <QDate>

#include <optional>

class Database;

// "Cauta..." over the entry or the exit documents: the lowest registration number above
// the last one found whose document matches the criterion, within the period filter when
// one is active. Every value the user typed reaches the engine bound, never as SQL text.
class DocumentSearch
{
public:
    enum class Documents { Entries, Exits };

    struct Period
    {
        QDate first;
        QDate last;
    };

    struct Found
    {
        double contor = 0;
        // The first matching line for the inventory-number, price and serial criteria.
        std::optional<double> lineNumber;
    };

    DocumentSearch(Database &db, Documents documents) : m_db(db), m_documents(documents) {}

    // `previous` is -1 for a search from the beginning. The exit documents have no
    // serial numbers: that criterion finds nothing there.
    std::optional<Found> next(const SearchCriteria &criteria, double previous,
                              const std::optional<Period> &period = std::nullopt) const;

private:
    Database &m_db;
    Documents m_documents;
};
