#include "cli/StockCommandSupport.h"

#include "app/NationalFormats.h"
#include "app/ParametersError.h"
#include "app/Workstation.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace StockCommandSupport {

bool takeOptions(const QStringList &args, const QStringList &known, QMap<QString, QString> &values,
                 QTextStream &err)
{
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const QString &name = args.at(i);
        if (!known.contains(name)) {
            err << QStringLiteral("Argument necunoscut: %1\n").arg(name);
            return false;
        }
        if (i + 1 >= args.size() || args.at(i + 1).isEmpty() || args.at(i + 1).startsWith(QLatin1String("--"))) {
            err << QStringLiteral("Lipseste valoarea dupa %1.\n").arg(name);
            return false;
        }
        if (values.contains(name)) {
            err << QStringLiteral("Optiunea %1 este data de doua ori.\n").arg(name);
            return false;
        }
        values.insert(name, args.at(i + 1));
    }
    return true;
}

QString directoryOf(const QString &option)
{
    return QDir::cleanPath(QDir(option).absolutePath()) + QLatin1Char('/');
}

QString unreadableText(const QString &directory)
{
    const QString dir = directoryOf(directory);
    const QByteArray native = QFile::encodeName(dir);
    const QFileInfo file(dir + Database::fileName());
    int denied = 0;
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        if (errno == EACCES)
            denied = EACCES;
    } else if (S_ISDIR(st.st_mode) && ::access(native.constData(), R_OK | X_OK) != 0) {
        denied = errno;
    } else if (file.isFile() && ::access(QFile::encodeName(file.filePath()).constData(), R_OK) != 0) {
        denied = errno;
    }
    if (denied == 0)
        return QString();
    return QStringLiteral("Eroare: Directorul de date %1 nu poate fi citit: %2.")
        .arg(dir, QString::fromLocal8Bit(std::strerror(denied)));
}

std::unique_ptr<Database> open(const QString &directory, Parameters &parameters, QTextStream &err,
                               const QString &busyText)
{
    const QString dir = directoryOf(directory);
    // A directory (or database file) that is there but may not be read is not missing.
    const QString unreadable = unreadableText(dir);
    if (!unreadable.isEmpty()) {
        err << unreadable << '\n';
        return nullptr;
    }
    const QFileInfo file(dir + Database::fileName());
    if (!file.isFile()) {
        err << QStringLiteral("Eroare: %1 nu este un director de date (lipseste %2).\n").arg(dir, Database::fileName());
        return nullptr;
    }
    try {
        parameters.load(dir, NationalFormats::current());
    } catch (const ParametersError &e) {
        err << QStringLiteral("Eroare: ") << e.message() << '\n';
        return nullptr;
    }
    auto db = std::make_unique<Database>(dir, Workstation::fromEnvironment(), QStringLiteral("TessaroStock"));
    try {
        db->open();
    } catch (const DbError &e) {
        if (e.isBusy() && !busyText.isEmpty())
            err << busyText << '\n';
        else
            err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        return nullptr;
    }
    return db;
}

std::unique_ptr<Database> openForOutput(const QString &directory, ReportOutputOptions &output,
                                        Parameters &parameters, QTextStream &err)
{
    output.dataDirectory = directoryOf(directory);
    if (!ReportOutput::checkTargets(output, err))
        return nullptr;
    return open(directory, parameters, err);
}

QDate parseDate(const QString &text)
{
    // Exactly four digits, two and two: no sign, no time, no blanks, no other digits.
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!pattern.match(text).hasMatch())
        return QDate();
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QDate takeDate(const QString &text, QTextStream &err)
{
    const QDate date = parseDate(text);
    if (!date.isValid())
        err << QStringLiteral("Eroare: <%1> nu este o data corecta (AAAA-LL-ZZ).\n").arg(text);
    return date;
}

QStringList splitUnits(const QString &text)
{
    QStringList units;
    for (const QString &code : text.split(QLatin1Char(',')))
        if (!code.trimmed().isEmpty())
            units << code.trimmed();
    return units;
}

} // namespace StockCommandSupport
