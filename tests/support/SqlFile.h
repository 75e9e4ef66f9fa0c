#pragma once

#include <QString>
#include <QStringList>

class Database;
class TestEnv;

namespace tessaro_test {

// Runs a file of SQL statements, each ending with ";" at the end of a line; lines that
// start with "--" are comments. False when the file cannot be read; an engine error
// throws as from Database::run().
bool runSqlFile(Database &db, const QString &path);

// A data directory made by `binary init` in env and then filled from the SQL files in
// turn. Empty when done, else what failed.
QString initDataDir(const QString &binary, const TestEnv &env, const QStringList &sqlFiles = {});

} // namespace tessaro_test
