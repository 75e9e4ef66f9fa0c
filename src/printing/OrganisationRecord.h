#pragma once

#include <QString>
#include <QStringList>

class Database;

// The organisation that keeps the register, as the exit-document printouts name it: the
// `Firmdata` record whose `Cod` is the parameter "FirmNo". A missing record leaves every
// field empty, so the printout still goes out with its own data.
struct OrganisationRecord
{
    QString name;       // Denumire
    QString address;    // Adresa, printed as "Localitatea"
    QString county;     // Judet
    QString fiscalCode; // Cod fiscal
    QString orc;        // ORC
    QString bank;       // Banca
    QString account;    // Cont

    // Throws DbError.
    static OrganisationRecord load(Database &db, int firmNo);

    // The identification block: the name, then "O.R.C.", "Cod fiscal", "Localitatea",
    // "Judetul", "Contul" and "Banca" each with its value.
    QStringList identificationLines() const;
};
