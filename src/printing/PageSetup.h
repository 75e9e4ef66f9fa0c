#pragma once

#include "printing/PrintSettings.h"

#include <QFont>
#include <QPageSize>
#include <QSizeF>

// What the engine needs of the print settings: sheet, orientation, margins and font.
struct PageSetup
{
    QPageSize pageSize{QPageSize::A4};
    int orientation = PrintSettings::Portrait;
    Margins margins;
    QString fontName = QStringLiteral("Arial");
    int fontSize = 8;
    int fontPitch = PrintSettings::DefaultPitch;

    // The report's page from the current settings; paper index 0 (printer default)
    // gives A4 when no printer says otherwise. Margins are kept within the paper.
    static PageSetup fromSettings(const PrintSettings &s,
                                  QPageSize::PageSizeId printerPaper = QPageSize::A4);
    QFont font() const;
    QSizeF sheetMm() const;
};
