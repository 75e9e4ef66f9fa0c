#pragma once

#include "printing/PrinterGeometry.h"

#include <QString>

// The current print settings of the program: one set, confirmed in the print-settings
// dialog, remembered in section "PrinterSettings" of the workstation's INI file.
class PrintSettings
{
public:
    enum Orientation { Portrait = 0, Landscape = 1 };
    enum Pitch { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };
    static constexpr int MaxFontNameLength = 30;

    QString fontName;     // empty: no font chosen yet
    int fontSize = 10;
    int fontPitch = DefaultPitch;
    bool preview = false;
    int copies = 1;
    int firstPage = 0;    // 0 and 0: the whole report
    int lastPage = 0;
    int paperIndex = 0;   // PaperSizes index
    int orientation = Portrait;
    Margins margins;
    QString printerName;  // as the INI keeps it

    bool wholeReport() const { return firstPage == 0 && lastPage == 0; }

    // Reads the section; missing keys keep their defaults (margins keep the current value).
    void load(const QString &iniPath);
    // False when the file cannot be written.
    bool save(const QString &iniPath) const;

    // The preset reports apply before the dialog: Arial 8, default pitch, A4 and the
    // orientation; shows and returns the status message.
    QString applyPreset(Orientation o);
    static QString presetMessage(Orientation o);
};
