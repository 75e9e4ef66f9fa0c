#include "db/DEF_FIELD.h"

QString fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::String: return QStringLiteral("string");
    case FieldType::Float: return QStringLiteral("float");
    case FieldType::SmallInt: return QStringLiteral("smallint");
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::Boolean: return QStringLiteral("boolean");
    case FieldType::Date: return QStringLiteral("date");
    case FieldType::Memo: return QStringLiteral("memo");
    case FieldType::AutoIncrement: return QStringLiteral("autoincrement");
    case FieldType::Unknown: break;
    }
    return QStringLiteral("unknown");
}
