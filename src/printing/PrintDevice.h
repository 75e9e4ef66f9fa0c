#pragma once

#include "printing/PrinterGeometry.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

// A font the printer offers by itself, with its average character width in the
// printer's dots.
struct DeviceFont
{
    QString name;
    double averageWidth = 0;
};

// The current printer as the print settings see it. The windows use a QPrinter behind
// it; tests use a fake with chosen geometry.
class PrintDevice
{
public:
    virtual ~PrintDevice();

    // The printers the system lists (on Linux this includes printing to a PDF file).
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinterName() const = 0;
    virtual QString printerName() const = 0;
    // Makes the printer current with its driver's default settings; false when unknown.
    virtual bool selectPrinter(const QString &name) = 0;
    // False when the printer gives no device settings at all.
    virtual bool hasDeviceSettings() const = 0;

    virtual int orientation() const = 0; // PrintSettings::Orientation
    virtual void setOrientation(int orientation) = 0;
    virtual QPageSize::PageSizeId paperSize() const = 0;
    virtual void setPaperSize(QPageSize::PageSizeId id) = 0;

    // For the current paper and orientation.
    virtual DeviceMetrics metrics() const = 0;
    virtual QList<DeviceFont> deviceFonts() const = 0;

    PrinterGeometry geometry() const { return PrinterGeometry::fromMetrics(metrics()); }
};
