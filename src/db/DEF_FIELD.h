#pragma once

#include <QString>
#include <QtGlobal>

// The field types of the schema. Unknown only comes from reading back a column whose
// declared type none of the others maps to; no definition uses it.
enum class FieldType {
    String,
    Float,
    SmallInt,
    Integer,
    Boolean,
    Date,
    Memo,
    AutoIncrement,
    Unknown,
};

// Lower-case name of a field type, for messages and test output ("string", "float"...).
QString fieldTypeName(FieldType type);

// One field of a table definition.
struct DEF_FIELD
{
    QString name;
    FieldType type = FieldType::String;
    // Length of a string, in-record length of a memo, 0 for every other type.
    quint16 size = 0;
    bool required = false;

    // Texts are what the sizes limit; values of other types have no size.
    bool isText() const { return type == FieldType::String || type == FieldType::Memo; }

    friend bool operator==(const DEF_FIELD &, const DEF_FIELD &) = default;
};
