#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The checks every document header passes before it is written, entry or exit, in the
// order the user meets them, with their texts.
namespace HeaderChecks {

QString typeMissingText();
QString datesMissingText();
QString futureDateText();
QString noLinesText();

// The first check that fails; empty when the header passes.
QString refusal(const QString &type, const QDate &registered, const std::optional<double> &number,
                const QDate &date, bool hasLines);

} // namespace HeaderChecks
