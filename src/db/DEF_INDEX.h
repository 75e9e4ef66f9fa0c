#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

enum class IndexOption {
    Primary = 0x01,
    Unique = 0x02,
    Descending = 0x04,
    CaseInsensitive = 0x08,
    Expression = 0x10,
};
Q_DECLARE_FLAGS(IndexOptions, IndexOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(IndexOptions)

// Readable list of index options ("primary, unique"), empty for none.
QString indexOptionsText(IndexOptions options);

// One index of a table definition. The primary key has an empty name.
struct DEF_INDEX
{
    QString name;
    // Field names separated by ";" (an expression index holds its expression here).
    QString fields;
    IndexOptions options;

    bool isPrimary() const { return options.testFlag(IndexOption::Primary); }
    QStringList fieldList() const;

    friend bool operator==(const DEF_INDEX &, const DEF_INDEX &) = default;
};
