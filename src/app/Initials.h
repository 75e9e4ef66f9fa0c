#pragma once

#include <QString>

// The initials by which documents name a custodian or beneficiary: the first character
// of each word of the name, at most three, in the case they were typed. Words are
// separated by any run of spaces, commas, periods and semicolons.
namespace Initials {

constexpr int MaxLength = 3;

QString fromName(const QString &name);

} // namespace Initials
