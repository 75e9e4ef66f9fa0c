#include "cli/StockCommandSupport.h"

#include "app/NationalFormats.h"
#include "app/ParametersError.h"
#include "app/Workstation.h"
#include "db/DbError.h"

#include <QDir>
#include <QFileInfo>

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

std::unique_ptr<Database> open(const QString &directory, Parameters &parameters, QTextStream &err)
{
    const QString dir = QDir::cleanPath(QDir(directory).absolutePath()) + QLatin1Char('/');
    if (!QFileInfo(dir + Database::fileName()).isFile()) {
        err << QStringLiteral("Eroare: %1 nu este un director de date (lipseste %2).\n").arg(dir, Database::fileName());
        return nullptr;
    }
    if (QFileInfo::exists(Parameters::filePath(dir))) {
        NationalFormats formats;
        try {
            parameters.load(dir, formats);
        } catch (const ParametersError &e) {
            err << QStringLiteral("Eroare: ") << e.message() << '\n';
            return nullptr;
        }
    }
    auto db = std::make_unique<Database>(dir, Workstation::fromEnvironment(), QStringLiteral("TessaroStock"));
    try {
        db->open();
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        return nullptr;
    }
    return db;
}

QDate takeDate(const QString &text, QTextStream &err)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
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
