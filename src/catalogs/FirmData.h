#pragma once

#include <QSqlRecord>
#include <QString>

class Parameters;

// The organisation record that documents and reports name: which record of
// `Firmdata` is in use is the parameter "FirmNo" of the data directory.
class FirmData
{
public:
    static QString missingNumberMessage();
    // The refusal of a record about to be saved; empty when it may be saved.
    static QString checkRecord(const QSqlRecord &record);
    // Makes `number` the record in use: in the parameters and in section "Default"
    // of "PVLDEF.INI", whose other lines stay as they were. False when the file
    // cannot be written (the parameters are then left unchanged).
    static bool useRecord(int number, Parameters &parameters, const QString &dataDirectory);
};
