#pragma once

#include "app/NationalFormats.h"

#include <QString>
#include <QStringList>

class IniFile;
class Messages;
class QSqlDatabase;

// The application parameters: one plain object that the main window owns and hands to
// whoever needs them. Most live in "PVLDEF.INI" of the data directory; "Check for new
// version" and "Backup BD zilnic" live in the workstation's "Tessaro.INI". The decimal
// and thousands separators are not kept here: they belong to the NationalFormats that
// load() is given, since every number of the program is shown with them.
//
// A default-constructed object holds the start values.
class Parameters
{
public:
    enum class SellPrice { Fetch, Calc };

    // Default accounts of new catalogue rows, suppliers and budgets.
    QString cFurn = QStringLiteral("401");
    QString cMf = QStringLiteral("371");
    QString cTvaI = QStringLiteral("4426");
    QString cCh = QStringLiteral("607");
    QString cCln = QStringLiteral("411");
    QString cTvaE = QStringLiteral("4427");
    QString cVen = QStringLiteral("707");
    QString cAd = QStringLiteral("378");
    QString cAcc = QStringLiteral("446");
    // The reference foreign currency.
    QString cVal = QStringLiteral("USD");

    // A stock quantity q counts as zero when |q| < epsilon.
    double epsilon = 0.00001;
    double epsilon1 = 0.01;
    bool roundTva = true;
    bool calcTva = false;
    int nrZecimaleLei = 2;
    int nrZecimaleValuta = 2;
    bool genCod = false;
    bool pretFaraTva = false;
    bool calcAmStart = false;

    // VAT percentages; stored rounded to whole numbers.
    double cfTva = 19;
    double tvaZero = 0;
    double tvaMed = 11;
    double tvaStd = 19;

    bool lot = false;
    bool com = false;
    bool serii = false;
    bool codBare = false;
    bool atention = false;
    SellPrice sellPrice = SellPrice::Fetch;
    bool grilaCalculDisc = false;

    // Which organisation record the documents name; written by the organisation dialog.
    int firmNo = 0;

    // Workstation options ("Tessaro.INI", section "Options").
    bool checkForNewVersion = true;
    bool backupDaily = true;

    // Keys of features this system does not offer: read and written back as they were.
    QString includeJurnalCump = QStringLiteral("AE;FCT");
    QString includeJurnalVanz = QStringLiteral("AE;FCT");
    bool preprintedInvoice = false;
    QString county = QStringLiteral("CJ");
    bool codProdusPeFact = false;
    QString serFact;
    double factN1 = 0;
    double factN2 = 0;
    QString serCF;
    double cfN1 = 0;
    double cfN2 = 0;
    QString serAE;
    double aeN1 = 0;
    double aeN2 = 0;
    double chN1 = 0;

    static constexpr int AccountLength = 12;
    static constexpr int CurrencyLength = 4;
    static constexpr int MinDecimals = 2;
    static constexpr int MaxDecimals = 10;
    static constexpr double EpsilonMin = 1e-10;
    static constexpr double EpsilonMax = 1;
    static constexpr double Epsilon1Min = 1e-10;
    static constexpr double Epsilon1Max = 1000;

    // "PVLDEF.INI" of the data directory (which ends with '/' or not).
    static QString fileName();
    static QString filePath(const QString &dataDirectory);

    // Reads "PVLDEF.INI" of the data directory into this object and sets the
    // separators of formats. A missing key keeps the value held now, except the keys
    // with a fixed fallback. A number that cannot be converted, or an "Epsilon" outside
    // EpsilonMin..EpsilonMax, throws ParametersError naming the key; the keys read before
    // it keep their new values, the rest (that key included) their old ones.
    void load(const QString &dataDirectory, NationalFormats &formats);
    // load() for the opening of a data directory: a failure is shown as an error through
    // messages and the result is false (the values stay as load() left them).
    bool loadOrReport(const QString &dataDirectory, NationalFormats &formats, Messages &messages);
    // The two workstation options of the program INI file.
    void loadProgramOptions(const QString &programIniPath);

    // Writes every parameter in its order; the program INI's other sections and keys,
    // and PVLDEF.INI's other keys, stay as they were. Throws ParametersError when a
    // file cannot be written.
    void save(const QString &dataDirectory, const QString &programIniPath,
              const NationalFormats &formats) const;

    // What confirming the dialog does to the values before they are saved:
    // texts cut to their width, negative VAT percentages made 0.
    void normalize();

    // The spin button of a zero tolerance: one step down divides by 10, up multiplies by
    // 10; at a bound the value stays. Results are kept to 12 significant digits so that
    // repeated steps land exactly on the bounds.
    static double stepDown(double value, double minimum);
    static double stepUp(double value, double maximum);
    // One click of the decimals arrows, kept within MinDecimals..MaxDecimals.
    static int stepDecimals(int value, int delta);

    // An account as typed: cut to AccountLength and checked as an account code.
    static bool validAccount(const QString &account);
    static QString accountWarning();

    // The example shown beside the decimal-separator choice: 12345.67 as "#,##0.00".
    static QString separatorExample(const NationalFormats &formats);
    // The codes of the currency list (`Moneda` of `Valuta`, in table order); empty
    // without an open database.
    static QStringList currencyCodes(const QSqlDatabase &db);
    // Zero tolerances are shown and stored with this pattern.
    static QString epsilonPattern();

private:
    void writeDataFile(IniFile &ini, const NationalFormats &formats) const;
};
