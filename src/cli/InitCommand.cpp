#include "cli/InitCommand.h"

#include "app/ConsoleMessages.h"
#include "app/ProgramVersion.h"
#include "app/Workstation.h"
#include "cli/StockCommandSupport.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"
#include "db/VersionStore.h"

#include <QDir>

static int runInit(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QStringList rest = args;
    // By default a script does not change which directory the windowed program opens
    // next; --remember asks for exactly that (the demo set-up uses it).
    const bool remember = rest.removeAll(QStringLiteral("--remember")) > 0;
    if (rest.size() == 1 && rest.first().trimmed().isEmpty()) {
        // An empty name would stand for the current directory.
        err << QStringLiteral("Lipseste numele directorului de date.\n")
            << QStringLiteral("Utilizare: tessaro init [--remember] DIR\n");
        return 2;
    }
    if (rest.size() != 1 || rest.first().startsWith(QLatin1Char('-'))) {
        err << QStringLiteral("Utilizare: tessaro init [--remember] DIR\n");
        return 2;
    }
    const QString directory = QDir::cleanPath(QDir(rest.first()).absolutePath()) + QLatin1Char('/');
    // A directory that is there but may not be read is neither new nor valid.
    const QString unreadable = StockCommandSupport::unreadableText(directory);
    if (!unreadable.isEmpty()) {
        err << unreadable << '\n';
        return 1;
    }
    if (!QDir().mkpath(directory)) {
        err << QStringLiteral("Eroare: Nu pot crea directorul %1\n").arg(directory);
        return 1;
    }

    const Workstation workstation = Workstation::fromEnvironment();
    TDatabaseValidator valid;
    valid.setWorkstation(workstation);
    valid.setTables(TVTables::all());
    valid.setRecreateIndex(true);

    ConsoleMessages messages;
    DataDirectoryOpener opener(valid, messages, workstation.iniPath());
    opener.setRemember(remember);
    opener.installSilentHandlers();
    err.flush();
    if (!opener.open(directory, QStringLiteral("Nu pot valida baza de date!\n")))
        return 1;

    try {
        Database db(valid.directory(), workstation, QStringLiteral("TessaroInit"));
        db.open();
        VersionStore(db).store(ProgramVersion::current());
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        return 1;
    }
    out << QStringLiteral("Baza de date din %1 este valida.\n").arg(valid.directory());
    return 0;
}

CliCommand initCommand()
{
    return {QStringLiteral("init"), QStringLiteral("[--remember] DIR"),
            QStringLiteral("creeaza sau valideaza directorul de date DIR"), runInit};
}
