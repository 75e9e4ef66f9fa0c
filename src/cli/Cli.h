#pragma once

#include <QStringList>
#include <QTextStream>

// Runs a headless command (arguments without the program name); returns the exit code.
int runCli(const QStringList &args, QTextStream &out, QTextStream &err);
QString cliUsage();
