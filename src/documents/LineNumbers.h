#pragma once

class Database;

// Line numbers (`Contor_secundar`) within one document. Numbers freed by deleted lines
// are reused only when they were the highest.
class LineNumbers
{
public:
    enum class Table { ItemIn, ItemOut, ItemProf };

    explicit LineNumbers(Database &db) : m_db(db) {}

    // The highest line number of the document + 1; 1 for a document without lines.
    double next(Table table, double contor) const;

private:
    Database &m_db;
};
