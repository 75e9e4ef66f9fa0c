#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// One headless command: `tessaro NAME ARGS...`.
struct CliCommand
{
    QString name;
    QString synopsis; // arguments as shown in the usage, e.g. "DIR"
    QString summary;  // one line, shown by --help
    // Returns the process exit code; writes results to out and messages to err.
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
};

// Every command the program knows, in the order --help lists them.
QList<CliCommand> cliCommands();
