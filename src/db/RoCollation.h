#pragma once

#include <QCollator>
#include <QStringView>

#include <string>
#include <string_view>
#include <unordered_map>

class QSqlDatabase;

// Romanian, case-insensitive string order: ă after a, â after ă, î after i, ș after s,
// ț after t (cedilla and comma-below forms alike). It orders name columns and every
// case-insensitive index; SQL uses it as COLLATE RO.
class RoCollation
{
public:
    static constexpr const char *sqlName = "RO";

    RoCollation();
    int compare(QStringView a, QStringView b) const;
    // The same order over UTF-8 texts. Printable ASCII compares character by character
    // through the collator's own order of those characters (no ASCII character joins
    // another or is ignored at this strength), up to the first that differs; texts that
    // differ only where other characters stand go through the sort keys of the texts
    // met last: a sorted query over a few hundred distinct names compares them
    // millions of times.
    int compareUtf8(std::string_view a, std::string_view b) const;

    // Registers RO on an open SQLite connection; each connection gets its own collator.
    // Throws DbError when the connection is not an open SQLite one.
    static void install(const QSqlDatabase &db);

private:
    struct TextHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    const QCollatorSortKey &sortKey(std::string_view text) const;

    QCollator m_collator;
    // Position of each printable ASCII character in the collator's order, case pairs
    // alike; 0 for the others.
    unsigned char m_asciiRank[128] = {};
    mutable std::unordered_map<std::string, QCollatorSortKey, TextHash, std::equal_to<>> m_keys;
};
