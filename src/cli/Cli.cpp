#include "cli/Cli.h"

#include "cli/CliCommand.h"

QString cliUsage()
{
    QString text = QStringLiteral(
        "Utilizare: tessaro [COMANDA [ARGUMENTE...]]\n"
        "Fara comanda porneste programul cu ferestre.\n\n"
        "Comenzi:\n"
        "  --help              afiseaza acest text\n"
        "  --version           afiseaza versiunea programului\n");
    for (const CliCommand &c : cliCommands()) {
        const QString head = c.name + (c.synopsis.isEmpty() ? QString() : QLatin1Char(' ') + c.synopsis);
        // A long synopsis gets the summary on a line of its own.
        if (head.size() > 19)
            text += QStringLiteral("  %1\n  %2 %3\n").arg(head, QString(19, QLatin1Char(' ')), c.summary);
        else
            text += QStringLiteral("  %1 %2\n").arg(head, -19).arg(c.summary);
    }
    return text;
}

int runCli(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        err << cliUsage();
        return 2;
    }
    const QString &name = args.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        out << cliUsage();
        return 0;
    }
    if (name == QLatin1String("--version")) {
        out << "Tessaro " << TESSARO_VERSION << '\n';
        return 0;
    }
    for (const CliCommand &c : cliCommands())
        if (c.name == name)
            return c.run(args.mid(1), out, err);
    err << QStringLiteral("Comanda necunoscuta: %1\n\n").arg(name) << cliUsage();
    return 2;
}
