#pragma once

#include "catalogs/SearchCriteria.h"

#include <QDate>

#include <optional>

class Database;

// "Cauta..." over the entry documents: the lowest registration number above the last
// one found whose document matches the criterion, within the period filter when one is
// active. Every value the user typed reaches the engine bound, never as SQL text.
class EntrySearch
{
public:
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

    explicit EntrySearch(Database &db) : m_db(db) {}

    // `previous` is -1 for a search from the beginning.
    std::optional<Found> next(const SearchCriteria &criteria, double previous,
                              const std::optional<Period> &period = std::nullopt) const;

private:
    Database &m_db;
};
