#pragma once

#include "printing/PrintDevice.h"

#include <QFont>
#include <QList>
#include <QString>

// Turns the font of the print settings into the font that prints. The reports' Windows
// fonts are served by their metric-compatible Liberation faces; the printer "device
// fonts" are fixed-pitch line-printer faces named by their characters per inch at size 10
// ("Liberation Mono 17cpi"), made by condensing Liberation Mono.
namespace ReportFonts {

QFont resolve(const QString &name, int pointSize, int pitch);

// The fixed-pitch faces a printer offers, with their average width in dots at dpiX.
QList<DeviceFont> lineprinterFonts(double dpiX);

// The device font whose average width is closest to dpiX / 17; empty when none.
QString nearest17Cpi(const QList<DeviceFont> &fonts, double dpiX);

// Characters per inch of a font at its size, measured on its glyphs.
double charactersPerInch(const QFont &font);

} // namespace ReportFonts
