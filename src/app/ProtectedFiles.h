#pragma once

#include <QString>

class Workstation;

// The files a report or an export must never be written over: every file of the data
// directory (the database, "PVLDEF.INI", the daily copies...), every file of the
// workstation's private directory and the workstation's INI file. A path is compared
// after its links are followed, and an existing file also by identity, so that another
// name for the same file (a hard link, a second mount) is caught too.
namespace ProtectedFiles {

// Empty when `path` may be written; otherwise the refusal, in the system's words,
// naming the file and the directory it belongs to. An empty directory is not checked.
QString refusal(const QString &path, const QString &dataDirectory, const Workstation &workstation);

// Whether two paths name one file: the same path once links are followed, or the same
// existing file.
bool sameFile(const QString &a, const QString &b);

} // namespace ProtectedFiles
