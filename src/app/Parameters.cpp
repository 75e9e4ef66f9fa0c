#include "app/Parameters.h"

#include "app/AccountCode.h"
#include "app/IniFile.h"
#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/ParametersError.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace {

const QString Default = QStringLiteral("Default");
const QString Series = QStringLiteral("Series");
const QString Options = QStringLiteral("Options");

// Reads one data-file section; a key the file lacks gives the fallback handed in, which
// is the value held now or, for the keys that have one, the fixed fallback.
class Reader
{
public:
    Reader(const IniFile &ini, const QString &section, const NationalFormats &formats)
        : m_ini(ini), m_section(section), m_formats(formats)
    {
    }

    void read(const QString &key, bool &value) const { value = m_ini.boolValue(m_section, key, value); }
    void read(const QString &key, int &value) const { value = m_ini.intValue(m_section, key, value); }
    void read(const QString &key, QString &value, int width = -1) const
    {
        value = m_ini.value(m_section, key, value);
        if (width > 0)
            value.truncate(width);
    }
    // Integers held as reals (the VAT percentages).
    void readWhole(const QString &key, double &value) const
    {
        value = m_ini.intValue(m_section, key, int(std::lround(value)));
    }
    // A number written as text with the decimal separator just set. One that cannot be
    // converted stops the load.
    void readNumber(const QString &key, double &value) const
    {
        if (!m_ini.contains(m_section, key))
            return;
        const QString text = m_ini.value(m_section, key);
        bool ok = false;
        const double number = parseNumber(text, &ok, m_formats);
        if (!ok)
            throw ParametersError(
                QStringLiteral("Valoarea '%1' a parametrului \"%2\" din %3 nu este un numar valid!")
                    .arg(text, key, Parameters::fileName()));
        value = number;
    }
    // A number that must also lie within bounds: one outside them is as bad as one that
    // cannot be converted, and is never used.
    void readNumber(const QString &key, double &value, double minimum, double maximum) const
    {
        double number = value;
        readNumber(key, number);
        // The bounds as the dialog's steps reach them, give or take the last digit.
        if (!(number >= minimum * (1 - 1e-9) && number <= maximum * (1 + 1e-9)))
            throw ParametersError(
                QStringLiteral("Valoarea '%1' a parametrului \"%2\" din %3 nu este valida: trebuie sa fie intre %4 si %5!")
                    .arg(m_ini.value(m_section, key), key, Parameters::fileName(),
                         formatNumber(minimum, Parameters::epsilonPattern(), m_formats),
                         formatNumber(maximum, Parameters::epsilonPattern(), m_formats)));
        value = number;
    }

private:
    const IniFile &m_ini;
    QString m_section;
    const NationalFormats &m_formats;
};

// Keeps a number of decimals within its bounds; a file edited by hand may hold anything.
int boundedDecimals(int value)
{
    return std::clamp(value, Parameters::MinDecimals, Parameters::MaxDecimals);
}

// Twelve significant digits: enough for every tolerance the spin buttons reach and short
// of the binary noise that repeated multiplications by ten leave.
double tidy(double value)
{
    return QString::number(value, 'g', 12).toDouble();
}

QString wholeNumber(double value)
{
    const double rounded = std::round(value);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 0);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString Parameters::fileName()
{
    return QStringLiteral("PVLDEF.INI");
}

QString Parameters::filePath(const QString &dataDirectory)
{
    return QDir(dataDirectory).filePath(fileName());
}

QString Parameters::epsilonPattern()
{
    return QStringLiteral("0.###########");
}

QString Parameters::accountWarning()
{
    return QStringLiteral("Specificati contul in format (9)999.(9)99.(9)99 !");
}

QString Parameters::separatorExample(const NationalFormats &formats)
{
    return formatNumber(12345.67, QStringLiteral("#,##0.00"), formats);
}

bool Parameters::validAccount(const QString &account)
{
    return validAccountCode(account.left(AccountLength));
}

double Parameters::stepDown(double value, double minimum)
{
    if (value <= minimum)
        return value;
    return tidy(value / 10);
}

double Parameters::stepUp(double value, double maximum)
{
    if (value >= maximum)
        return value;
    return tidy(value * 10);
}

int Parameters::stepDecimals(int value, int delta)
{
    const int next = value + delta;
    return next < MinDecimals || next > MaxDecimals ? value : next;
}

QStringList Parameters::currencyCodes(const QSqlDatabase &db)
{
    QStringList codes;
    if (!db.isValid() || !db.isOpen())
        return codes;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Table order: the order in which the rows were entered.
    if (query.exec(QStringLiteral("SELECT Moneda FROM Valuta ORDER BY rowid"))) {
        while (query.next())
            codes.append(query.value(0).toString());
    }
    return codes;
}

void Parameters::normalize()
{
    for (QString *account : {&cFurn, &cMf, &cTvaI, &cCh, &cCln, &cTvaE, &cVen, &cAd, &cAcc})
        account->truncate(AccountLength);
    cVal.truncate(CurrencyLength);
    for (double *rate : {&cfTva, &tvaZero, &tvaMed, &tvaStd}) {
        if (*rate < 0)
            *rate = 0;
    }
    nrZecimaleLei = boundedDecimals(nrZecimaleLei);
    nrZecimaleValuta = boundedDecimals(nrZecimaleValuta);
}

void Parameters::load(const QString &dataDirectory, NationalFormats &formats)
{
    const QString path = filePath(dataDirectory);
    IniFile ini(path);
    if (!ini.reload())
        throw ParametersError(QStringLiteral("Nu pot citi fisierul %1 !").arg(QDir::toNativeSeparators(path)));

    const Reader def(ini, Default, formats);
    def.read(QStringLiteral("CCom"), com);
    def.read(QStringLiteral("CLot"), lot);
    def.read(QStringLiteral("CPretFaraTva"), pretFaraTva);
    def.read(QStringLiteral("CCalcAmStart"), calcAmStart);
    def.read(QStringLiteral("CGenCod"), genCod);
    def.read(QStringLiteral("CSerii"), serii);
    def.read(QStringLiteral("CodBare"), codBare);
    def.read(QStringLiteral("CVal"), cVal, CurrencyLength);
    def.read(QStringLiteral("CFurn"), cFurn, AccountLength);
    def.read(QStringLiteral("CCln"), cCln, AccountLength);
    def.read(QStringLiteral("CCh"), cCh, AccountLength);
    def.read(QStringLiteral("CMf"), cMf, AccountLength);
    def.read(QStringLiteral("CTVA_I"), cTvaI, AccountLength);
    def.read(QStringLiteral("CTVA_E"), cTvaE, AccountLength);
    def.readWhole(QStringLiteral("CfTVA"), cfTva);
    def.readWhole(QStringLiteral("TVAZero"), tvaZero);
    def.readWhole(QStringLiteral("TVAMed"), tvaMed);
    def.readWhole(QStringLiteral("TVAStd"), tvaStd);
    def.read(QStringLiteral("CAcc"), cAcc, AccountLength);
    def.read(QStringLiteral("CAd"), cAd, AccountLength);
    def.read(QStringLiteral("CVen"), cVen, AccountLength);
    roundTva = true;
    def.read(QStringLiteral("Round TVA"), roundTva);
    calcTva = false;
    def.read(QStringLiteral("Calc TVA"), calcTva);
    includeJurnalCump = QStringLiteral("AE;FCT");
    def.read(QStringLiteral("Include Jurnal Cump"), includeJurnalCump);
    includeJurnalVanz = QStringLiteral("AE;FCT");
    def.read(QStringLiteral("Include Jurnal Vanz"), includeJurnalVanz);

    const QString separator = ini.value(Default, QStringLiteral("Decimal separator"), QStringLiteral("Period"));
    formats.setSeparators(separator == QLatin1String("Coma") ? QLatin1Char(',') : QLatin1Char('.'));

    def.read(QStringLiteral("CodProdusPeFact"), codProdusPeFact);
    QString sell = QStringLiteral("Fetch");
    def.read(QStringLiteral("SellPrice"), sell);
    sellPrice = sell.compare(QLatin1String("Fetch"), Qt::CaseInsensitive) == 0 ? SellPrice::Fetch : SellPrice::Calc;
    def.read(QStringLiteral("PreprintedInvoice"), preprintedInvoice);
    def.read(QStringLiteral("County"), county);

    const Reader ser(ini, Series, formats);
    ser.read(QStringLiteral("SerFact"), serFact);
    ser.readNumber(QStringLiteral("FactN1"), factN1);
    ser.readNumber(QStringLiteral("FactN2"), factN2);
    ser.read(QStringLiteral("SerCF"), serCF);
    ser.readNumber(QStringLiteral("CFN1"), cfN1);
    ser.readNumber(QStringLiteral("CFN2"), cfN2);
    ser.read(QStringLiteral("SerAE"), serAE);
    ser.readNumber(QStringLiteral("AEN1"), aeN1);
    ser.readNumber(QStringLiteral("AEN2"), aeN2);
    ser.readNumber(QStringLiteral("ChN1"), chN1);

    def.read(QStringLiteral("Nr zecimale valuta"), nrZecimaleValuta);
    nrZecimaleValuta = boundedDecimals(nrZecimaleValuta);
    def.read(QStringLiteral("Nr zecimale lei"), nrZecimaleLei);
    nrZecimaleLei = boundedDecimals(nrZecimaleLei);
    def.readNumber(QStringLiteral("Epsilon"), epsilon, EpsilonMin, EpsilonMax);
    def.readNumber(QStringLiteral("Epsilon1"), epsilon1);
    firmNo = 0;
    def.read(QStringLiteral("FirmNo"), firmNo);
    def.read(QStringLiteral("Atention"), atention);
    def.read(QStringLiteral("GrilaCalculDisc"), grilaCalculDisc);
}

bool Parameters::loadOrReport(const QString &dataDirectory, NationalFormats &formats, Messages &messages)
{
    try {
        load(dataDirectory, formats);
        return true;
    } catch (const ParametersError &error) {
        messages.error(error.message());
        return false;
    }
}

void Parameters::loadProgramOptions(const QString &programIniPath)
{
    const IniFile ini(programIniPath);
    checkForNewVersion = ini.boolValue(Options, QStringLiteral("Check for new version"), checkForNewVersion);
    backupDaily = ini.boolValue(Options, QStringLiteral("Backup BD zilnic"), backupDaily);
}

void Parameters::save(const QString &dataDirectory, const QString &programIniPath,
                      const NationalFormats &formats) const
{
    IniFile program(programIniPath);
    program.setBool(Options, QStringLiteral("Check for new version"), checkForNewVersion);
    program.setBool(Options, QStringLiteral("Backup BD zilnic"), backupDaily);
    QString error;
    // The writer's text names the file and gives the system's reason.
    if (!program.save(&error))
        throw ParametersError(QStringLiteral("Nu pot salva optiunile in fisierul %1 !\n%2")
                                  .arg(QDir::toNativeSeparators(programIniPath), error));

    if (dataDirectory.isEmpty())
        throw ParametersError(QStringLiteral("Nu este deschisa nicio baza de date!"));
    const QString path = filePath(dataDirectory);
    IniFile data(path);
    writeDataFile(data, formats);
    if (!data.save(&error))
        throw ParametersError(QStringLiteral("Nu pot salva parametrii in fisierul %1 !\n%2")
                                  .arg(QDir::toNativeSeparators(path), error));
}

void Parameters::writeDataFile(IniFile &ini, const NationalFormats &formats) const
{
    const auto put = [&ini](const QString &section, const char *key, const QString &value) {
        ini.setValue(section, QString::fromLatin1(key), value);
    };

    put(Default, "CCom", boolText(com));
    put(Default, "CLot", boolText(lot));
    put(Default, "CPretFaraTva", boolText(pretFaraTva));
    put(Default, "CCalcAmStart", boolText(calcAmStart));
    put(Default, "CGenCod", boolText(genCod));
    put(Default, "CSerii", boolText(serii));
    put(Default, "CodBare", boolText(codBare));
    put(Default, "CVal", cVal);
    put(Default, "CFurn", cFurn);
    put(Default, "CCln", cCln);
    put(Default, "CCh", cCh);
    put(Default, "CMf", cMf);
    put(Default, "CTVA_I", cTvaI);
    put(Default, "CTVA_E", cTvaE);
    put(Default, "CVen", cVen);
    put(Default, "CAd", cAd);
    put(Default, "CAcc", cAcc);
    put(Default, "CfTVA", wholeNumber(cfTva));
    put(Default, "TVAZero", wholeNumber(tvaZero));
    put(Default, "TVAMed", wholeNumber(tvaMed));
    put(Default, "TVAStd", wholeNumber(tvaStd));
    put(Default, "Decimal separator",
        formats.decimalSeparator() == QLatin1Char(',') ? QStringLiteral("Coma") : QStringLiteral("Period"));
    put(Default, "Round TVA", boolText(roundTva));
    put(Default, "Calc TVA", boolText(calcTva));
    put(Default, "Include Jurnal Cump", includeJurnalCump);
    put(Default, "Include Jurnal Vanz", includeJurnalVanz);
    put(Default, "SellPrice", sellPrice == SellPrice::Calc ? QStringLiteral("Calc") : QStringLiteral("Fetch"));
    put(Default, "PreprintedInvoice", boolText(preprintedInvoice));
    put(Default, "County", county);

    put(Series, "SerFact", serFact);
    put(Series, "FactN1", wholeNumber(factN1));
    put(Series, "FactN2", wholeNumber(factN2));
    put(Series, "SerCF", serCF);
    put(Series, "CFN1", wholeNumber(cfN1));
    put(Series, "CFN2", wholeNumber(cfN2));
    put(Series, "SerAE", serAE);
    put(Series, "AEN1", wholeNumber(aeN1));
    put(Series, "AEN2", wholeNumber(aeN2));
    put(Series, "ChN1", wholeNumber(chN1));

    put(Default, "Nr zecimale valuta", QString::number(nrZecimaleValuta));
    put(Default, "Nr zecimale lei", QString::number(nrZecimaleLei));
    put(Default, "Epsilon", formatNumber(epsilon, epsilonPattern(), formats));
    put(Default, "Epsilon1", formatNumber(epsilon1, epsilonPattern(), formats));
    put(Default, "Atention", boolText(atention));
    put(Default, "GrilaCalculDisc", boolText(grilaCalculDisc));
}
