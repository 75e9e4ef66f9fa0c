#include "catalogs/FirmData.h"

#include "app/IniFile.h"
#include "app/Parameters.h"

QString FirmData::missingNumberMessage()
{
    return QStringLiteral("Specificati un numar de ordine!");
}

QString FirmData::checkRecord(const QSqlRecord &record)
{
    if (record.value(QStringLiteral("Cod")).isNull()
        || record.value(QStringLiteral("Cod")).toString().trimmed().isEmpty())
        return missingNumberMessage();
    return {};
}

bool FirmData::useRecord(int number, Parameters &parameters, const QString &dataDirectory)
{
    IniFile ini(Parameters::filePath(dataDirectory));
    if (!ini.reload())
        return false;
    ini.setInt(QStringLiteral("Default"), QStringLiteral("FirmNo"), number);
    if (!ini.save())
        return false;
    parameters.firmNo = number;
    return true;
}
