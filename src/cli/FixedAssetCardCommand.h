#pragma once

#include <QStringList>
#include <QTextStream>

// "tessaro print fisa": the fixed-asset card of one entry line at a date, as PDF and CSV.
namespace FixedAssetCardCommand {

QString synopsis();
// args without the word "fisa"; the exit code.
int run(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace FixedAssetCardCommand
