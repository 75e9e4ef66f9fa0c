#pragma once

#include <QString>

class NationalFormats;

// The criteria of a document search ("Cauta..."): which kind of search and the value of
// each kind. The dialog starts from these and writes back only the chosen one.
struct SearchCriteria
{
    enum Kind { DocumentNumber = 1, Article = 2, Explanation = 3, Price = 4, SerialNumber = 5 };

    int kind = DocumentNumber;
    double documentNumber = 0;
    bool allowSerial = false;
    QString explanation;
    QString article;
    double serialNumber = 0;
    double price = 0;

    // How the edits show the numbers: without decimals, with 2 decimals, general.
    static QString documentNumberText(double value, const NationalFormats &formats);
    static QString priceText(double value, const NationalFormats &formats);
    static QString serialText(double value, const NationalFormats &formats);
    static bool isNumberKind(int kind) { return kind == DocumentNumber || kind == Price || kind == SerialNumber; }
    static QString badNumberMessage();

    // Takes the edit's text as the value of `chosen`; false (nothing changed) when a
    // number kind gets a text that is not a number.
    bool accept(int chosen, const QString &text, const NationalFormats &formats);
};
