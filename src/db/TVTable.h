#pragma once

#include "db/DEF_FIELD.h"
#include "db/DEF_INDEX.h"

#include <QList>
#include <QString>
#include <QStringList>

// The definition of one table: its file name (with extension), its fields in order
// and its indexes in order, the primary key first.
class TVTable
{
public:
    TVTable() = default;
    TVTable(const QString &name, const QList<DEF_FIELD> &fields, const QList<DEF_INDEX> &indexes);

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    const QList<DEF_FIELD> &fields() const { return m_fields; }
    const QList<DEF_INDEX> &indexes() const { return m_indexes; }
    void addField(const DEF_FIELD &field) { m_fields.append(field); }
    void addIndex(const DEF_INDEX &index) { m_indexes.append(index); }

    // The SQL table name: the file name without its extension ("Doc_Com.Db" -> "Doc_Com").
    QString sqlName() const { return sqlNameOf(m_name); }
    static QString sqlNameOf(const QString &tableName);
    // True when `name` names this table: letter case ignored, extension optional.
    bool matchesName(const QString &name) const;

    // Field found without regard to letter case; nullptr when absent.
    const DEF_FIELD *field(const QString &name) const;
    // Index found by its exact name ("" for the primary key); nullptr when absent.
    const DEF_INDEX *index(const QString &name) const;
    const DEF_INDEX *primaryKey() const;

    // Names, fields (name, type, size, required, in order) and indexes (name, fields,
    // options, in order) all equal.
    friend bool operator==(const TVTable &, const TVTable &) = default;

    // How `actual` (a table read back from the database) departs from this definition,
    // one readable line per difference: defined fields that are missing or differ in
    // letter case, type, size or required flag, and defined indexes that are missing or
    // differ in fields or options. Fields and indexes the definition does not name are
    // tolerated. Empty when `actual` satisfies the definition.
    QStringList differences(const TVTable &actual) const;

private:
    QString m_name;
    QList<DEF_FIELD> m_fields;
    QList<DEF_INDEX> m_indexes;
};
