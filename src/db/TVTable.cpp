#include "db/TVTable.h"

TVTable::TVTable(const QString &name, const QList<DEF_FIELD> &fields,
                 const QList<DEF_INDEX> &indexes)
    : m_name(name), m_fields(fields), m_indexes(indexes)
{
}

QString TVTable::sqlNameOf(const QString &tableName)
{
    const qsizetype dot = tableName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? tableName.left(dot) : tableName;
}

bool TVTable::matchesName(const QString &name) const
{
    const QString wanted = name.trimmed();
    return wanted.compare(m_name, Qt::CaseInsensitive) == 0
        || wanted.compare(sqlName(), Qt::CaseInsensitive) == 0;
}

const DEF_FIELD *TVTable::field(const QString &name) const
{
    for (const DEF_FIELD &f : m_fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const DEF_INDEX *TVTable::index(const QString &name) const
{
    for (const DEF_INDEX &i : m_indexes)
        if (i.name == name)
            return &i;
    return nullptr;
}

const DEF_INDEX *TVTable::primaryKey() const
{
    for (const DEF_INDEX &i : m_indexes)
        if (i.isPrimary())
            return &i;
    return nullptr;
}

static QString describeField(const DEF_FIELD &f)
{
    QString text = fieldTypeName(f.type);
    if (f.size != 0)
        text += QStringLiteral("(%1)").arg(f.size);
    if (f.required)
        text += QStringLiteral(" required");
    return text;
}

static QString indexLabel(const DEF_INDEX &i)
{
    return i.name.isEmpty() ? QStringLiteral("primary key") : QStringLiteral("index %1").arg(i.name);
}

QStringList TVTable::differences(const TVTable &actual) const
{
    QStringList out;
    for (const DEF_FIELD &def : m_fields) {
        const DEF_FIELD *found = actual.field(def.name);
        if (!found) {
            out << QStringLiteral("field %1 missing").arg(def.name);
            continue;
        }
        if (found->name != def.name)
            out << QStringLiteral("field %1 named %2").arg(def.name, found->name);
        if (found->type != def.type || found->size != def.size || found->required != def.required)
            out << QStringLiteral("field %1 is %2, defined %3")
                       .arg(def.name, describeField(*found), describeField(def));
    }
    for (const DEF_INDEX &def : m_indexes) {
        const DEF_INDEX *found = def.isPrimary() ? actual.primaryKey() : actual.index(def.name);
        if (!found) {
            out << QStringLiteral("%1 (%2) missing").arg(indexLabel(def), def.fields);
            continue;
        }
        if (found->fields != def.fields)
            out << QStringLiteral("%1 on %2, defined on %3").arg(indexLabel(def), found->fields, def.fields);
        if (found->options != def.options)
            out << QStringLiteral("%1 options [%2], defined [%3]")
                       .arg(indexLabel(def), indexOptionsText(found->options),
                            indexOptionsText(def.options));
    }
    return out;
}
