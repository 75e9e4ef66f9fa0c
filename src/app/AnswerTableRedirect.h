#pragma once

#include <QString>
#include <QStringList>

// Makes a query read an answer table from the workstation's private database: the first
// line naming the table (whole word, any letter case, with or without ".DB") gets it as
// SCHEMA.TABLE in upper case; the rest of the line is kept. A name already qualified
// (preceded by a dot) is left alone, so a second call changes nothing.
// True when a line changed.
bool redirectAnswerTable(QStringList &sqlLines, const QString &table,
                         const QString &schema = QStringLiteral("PVL_PRIV"));
