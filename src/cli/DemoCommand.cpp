#include "cli/DemoCommand.h"

#include "app/ConsoleMessages.h"
#include "app/IniFile.h"
#include "app/Parameters.h"
#include "app/ProgramVersion.h"
#include "app/Workstation.h"
#include "cli/StockCommandSupport.h"
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
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString usage() { return QStringLiteral("Utilizare: tessaro demo DIR [--assets N] [--today AAAA-LL-ZZ]\n"); }

// The first folder of the path that does not exist yet; empty when the folder exists.
QString firstMissing(const QString &folder)
{
    QString missing;
    QString path = QDir::cleanPath(folder);
    while (!path.isEmpty() && !QFileInfo::exists(path)) {
        missing = path;
        const QString up = QFileInfo(path).absolutePath();
        if (up == path)
            break;
        path = up;
    }
    return missing;
}

// A folder being built holds this file, locked for as long as its process lives: the
// kernel lets go however the process ends, so an unlocked one was left by a killed run.
const QString buildingLock = QStringLiteral(".demo.lock");

struct BuildingLock
{
    explicit BuildingLock(const QString &folder)
        : fd(::open(QFile::encodeName(folder + QLatin1Char('/') + buildingLock).constData(),
                    O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
            release();
    }
    ~BuildingLock() { release(); }
    BuildingLock(const BuildingLock &) = delete;
    BuildingLock &operator=(const BuildingLock &) = delete;
    void release()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int fd;
};

// The folders that killed runs left in `parent`; those of runs still going stay.
void removeAbandoned(const QString &parent)
{
    const QStringList names = QDir(parent).entryList({QStringLiteral(".*.demo-*")},
                                                     QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString folder = parent + QLatin1Char('/') + name;
        const int fd = ::open(QFile::encodeName(folder + QLatin1Char('/') + buildingLock).constData(),
                              O_RDWR | O_CLOEXEC);
        if (fd < 0)
            continue; // not one of ours, or one that is being made or renamed
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            QDir(folder).removeRecursively();
        ::close(fd);
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
                today = StockCommandSupport::parseDate(value);
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

    // All or nothing: the register is built in a folder of its own beside DIR and takes
    // DIR's name only when complete, so a run that fails or is killed leaves no half
    // register that `init` would then accept.
    const QString finalPath = existed ? info.canonicalFilePath() : directory.chopped(1);
    const QString parentPath = QFileInfo(finalPath).absolutePath();
    const QString madeParents = firstMissing(parentPath);
    auto undoParents = [&] {
        if (!madeParents.isEmpty())
            QDir(madeParents).removeRecursively();
    };
    if (!QDir().mkpath(parentPath)) {
        err << QStringLiteral("Eroare: Nu pot crea directorul %1\n").arg(QDir::toNativeSeparators(parentPath));
        undoParents();
        return 1;
    }
    removeAbandoned(parentPath);
    QTemporaryDir building(parentPath + QStringLiteral("/.") + QFileInfo(finalPath).fileName()
                           + QStringLiteral(".demo-XXXXXX"));
    if (!building.isValid()) {
        err << QStringLiteral("Eroare: Nu pot crea directorul %1: %2\n")
                   .arg(QDir::toNativeSeparators(parentPath), building.errorString());
        undoParents();
        return 1;
    }
    const QString work = building.path() + QLatin1Char('/');
    BuildingLock lock(building.path());
    {
        // A temporary folder is private to its maker; a data directory is not. An empty
        // DIR that is replaced keeps its own mode.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat st {};
        const mode_t mode = existed && ::stat(QFile::encodeName(finalPath).constData(), &st) == 0
                                ? (st.st_mode & 07777)
                                : (0777 & ~mask);
        ::chmod(QFile::encodeName(building.path()).constData(), mode);
    }

    const Workstation workstation = Workstation::fromEnvironment();
    QElapsedTimer timer;
    timer.start();
    DemoRegister::Summary s;
    try {
        DataDirectoryOpener::makeNewDirectory(parentPath, QFileInfo(building.path()).fileName());

        TDatabaseValidator valid;
        valid.setWorkstation(workstation);
        valid.setTables(TVTables::all());
        valid.setRecreateIndex(true);
        ConsoleMessages messages;
        DataDirectoryOpener opener(valid, messages, workstation.iniPath());
        opener.setRemember(false);
        opener.installSilentHandlers();
        err.flush();
        if (!opener.open(work, QStringLiteral("Nu pot crea baza de date!\n"))) {
            undoParents();
            return 1;
        }

        // The organisation that the documents name, and the national decimal comma.
        IniFile ini(Parameters::filePath(work));
        ini.reload();
        ini.setInt(QStringLiteral("Default"), QStringLiteral("FirmNo"), DemoRegister::firmNo);
        ini.setValue(QStringLiteral("Default"), QStringLiteral("Decimal separator"), QStringLiteral("Coma"));
        QString error;
        if (!ini.save(&error))
            throw DataDirectoryError(error);

        Database db(work, workstation, QStringLiteral("TessaroDemo"));
        db.open();
        VersionStore(db).store(ProgramVersion::current());
        s = DemoRegister(db, Parameters().epsilon).fill(assets, today);
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        undoParents();
        return 1;
    } catch (const DataDirectoryError &e) {
        err << QStringLiteral("Eroare: ") << e.text() << '\n';
        undoParents();
        return 1;
    }
    // The lock file is no part of the register; without it the folder is left alone.
    QFile::remove(work + buildingLock);
    // An empty DIR is replaced in the same step.
    if (std::rename(QFile::encodeName(building.path()).constData(), QFile::encodeName(finalPath).constData()) != 0) {
        err << QStringLiteral("Eroare: Nu pot crea directorul %1: %2\n")
                   .arg(QDir::toNativeSeparators(directory), QString::fromLocal8Bit(std::strerror(errno)));
        undoParents();
        return 1;
    }
    building.setAutoRemove(false);
    out << QStringLiteral("Registrul demonstrativ din %1: %2 mijloace fixe, %3 documente de intrare "
                          "(%4 linii, cu stocul initial), %5 documente de iesire (%6 linii), in %7 s.\n")
               .arg(directory)
               .arg(s.assets)
               .arg(s.entryDocuments)
               .arg(s.entryLines)
               .arg(s.exitDocuments)
               .arg(s.exitLines)
               .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1);
    return 0;
}

} // namespace

CliCommand demoCommand()
{
    return {QStringLiteral("demo"), QStringLiteral("DIR [--assets N] [--today AAAA-LL-ZZ]"),
            QStringLiteral("creeaza in DIR (nou sau gol) registrul demonstrativ al unei primarii"), runDemo};
}
