#include "cli/DemoCommand.h"

#include "app/ConsoleMessages.h"
#include "app/IniFile.h"
#include "app/Parameters.h"
#include "app/ProgramVersion.h"
#include "app/Workstation.h"
#include "db/DataDirectoryError.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"
#include "db/VersionStore.h"
#include "reports/DemoRegister.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

QString usage() { return QStringLiteral("Utilizare: tessaro demo DIR [--assets N] [--today AAAA-LL-ZZ]\n"); }

// Leaves the place as it was found: a directory made here goes, one that was empty is emptied.
void undo(const QString &directory, bool made)
{
    QDir dir(directory);
    if (made) {
        dir.removeRecursively();
        return;
    }
    for (const QFileInfo &entry : dir.entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(entry.absoluteFilePath());
    }
}

int runDemo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString target;
    int assets = 300;
    QDate today = DemoRegister::defaultToday();
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--assets") || a == QLatin1String("--today")) {
            if (i + 1 >= args.size()) {
                err << usage();
                return 2;
            }
            const QString value = args[++i];
            if (a == QLatin1String("--assets")) {
                bool ok = false;
                assets = value.toInt(&ok);
                if (!ok || assets < 1 || assets > DemoRegister::maxAssets) {
                    err << QStringLiteral("Eroare: Numarul de mijloace fixe trebuie sa fie un numar intreg "
                                          "intre 1 si %1.\n").arg(DemoRegister::maxAssets)
                        << usage();
                    return 2;
                }
            } else {
                today = QDate::fromString(value, Qt::ISODate);
                if (!today.isValid() || today.year() < 1990 || today.year() > 2100) {
                    err << QStringLiteral("Eroare: <%1> nu este o data corecta (AAAA-LL-ZZ).\n").arg(value) << usage();
                    return 2;
                }
            }
        } else if (a.startsWith(QLatin1Char('-')) || !target.isEmpty()) {
            err << usage();
            return 2;
        } else {
            target = a;
        }
    }
    if (target.isEmpty()) {
        err << usage();
        return 2;
    }

    const QString directory = QDir::cleanPath(QDir(target).absolutePath()) + QLatin1Char('/');
    const QFileInfo info(directory);
    const bool existed = info.exists();
    if (existed && (!info.isDir() || !QDir(directory).isEmpty(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System))) {
        err << QStringLiteral("Eroare: %1 nu este un director nou sau gol. Registrul demonstrativ nu se "
                              "scrie peste date existente.\n").arg(QDir::toNativeSeparators(directory));
        return 1;
    }

    const Workstation workstation = Workstation::fromEnvironment();
    QElapsedTimer timer;
    timer.start();
    try {
        const QDir place(directory);
        QDir parent = place;
        parent.cdUp();
        DataDirectoryOpener::makeNewDirectory(parent.absolutePath(), place.dirName());

        TDatabaseValidator valid;
        valid.setWorkstation(workstation);
        valid.setTables(TVTables::all());
        valid.setRecreateIndex(true);
        ConsoleMessages messages;
        DataDirectoryOpener opener(valid, messages, workstation.iniPath());
        opener.setRemember(false);
        opener.installSilentHandlers();
        err.flush();
        if (!opener.open(directory, QStringLiteral("Nu pot crea baza de date!\n"))) {
            undo(directory, !existed);
            return 1;
        }

        // The organisation that the documents name, and the national decimal comma.
        IniFile ini(Parameters::filePath(valid.directory()));
        ini.reload();
        ini.setInt(QStringLiteral("Default"), QStringLiteral("FirmNo"), DemoRegister::firmNo);
        ini.setValue(QStringLiteral("Default"), QStringLiteral("Decimal separator"), QStringLiteral("Coma"));
        if (!ini.save())
            throw DataDirectoryError(QStringLiteral("Nu pot crea fisierul %1").arg(ini.path()));

        Database db(valid.directory(), workstation, QStringLiteral("TessaroDemo"));
        db.open();
        VersionStore(db).store(ProgramVersion::current());
        const DemoRegister::Summary s = DemoRegister(db, Parameters().epsilon).fill(assets, today);
        out << QStringLiteral("Registrul demonstrativ din %1: %2 mijloace fixe, %3 documente de intrare "
                              "(%4 linii, cu stocul initial), %5 documente de iesire (%6 linii), in %7 s.\n")
                   .arg(valid.directory())
                   .arg(s.assets)
                   .arg(s.entryDocuments)
                   .arg(s.entryLines)
                   .arg(s.exitDocuments)
                   .arg(s.exitLines)
                   .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1);
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        undo(directory, !existed);
        return 1;
    } catch (const DataDirectoryError &e) {
        err << QStringLiteral("Eroare: ") << e.text() << '\n';
        undo(directory, !existed);
        return 1;
    }
    return 0;
}

} // namespace

CliCommand demoCommand()
{
    return {QStringLiteral("demo"), QStringLiteral("DIR [--assets N] [--today AAAA-LL-ZZ]"),
            QStringLiteral("creeaza in DIR (nou sau gol) registrul demonstrativ al unei primarii"), runDemo};
}
