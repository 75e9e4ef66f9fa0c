#pragma once

#include <QString>

// Small file-system helpers used across the program. Paths use '/'.
namespace FileUtils {

// Creates the directory and every missing parent. True when it exists afterwards.
bool makeDirectoryPath(const QString &path);

// Appends '/' unless the path already ends with one; an empty path becomes "/".
// (Callers join a directory and a file name with it; an empty directory means the root.)
QString ensureTrailingSeparator(const QString &path);

// 1-based position of the last occurrence of needle in text; 0 when absent or empty.
int findLast(const QString &needle, const QString &text);

// Copies source to destination, expanding a file compressed with COMPRESS.EXE
// (SZDD format) on the way; any other file is copied as is. The destination is created
// or replaced through SafeFileWriter. Throws IoError with "Error opening source file
// \"NAME\"", "Error opening destination file \"NAME\"" or "Error copying file \"SOURCE\"";
// a copy that fails part way leaves the destination as it was (none when there was none).
void copyFile(const QString &source, const QString &destination);

} // namespace FileUtils
