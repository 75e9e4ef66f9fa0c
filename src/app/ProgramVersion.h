#pragma once

#include <QString>

// The program's version as four numbers joined by dots ("major.minor.release.build").
namespace ProgramVersion {
// Missing parts become 0; text that is not a version gives "0.0.0.0".
QString normalized(const QString &version);
// This build's version.
QString current();
} // namespace ProgramVersion
