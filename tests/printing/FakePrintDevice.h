#pragma once

#include "printing/PrintDevice.h"
#include "printing/PrintSettings.h"
#include "printing/ReportFonts.h"

// A printer with a chosen non-printable border (in dots at 600 dpi), for the dialog
// and output tests.
class FakePrintDevice : public PrintDevice
{
public:
    QStringList names{QStringLiteral("Laser birou"), QStringLiteral("Matricial")};
    QString current = QStringLiteral("Laser birou");
    int selections = 0;
    int orient = PrintSettings::Portrait;
    QPageSize::PageSizeId paper = QPageSize::A4;
    double border = 150; // 0.25 inch on every side

    QStringList printerNames() const override { return names; }
    QString defaultPrinterName() const override { return names.first(); }
    QString printerName() const override { return current; }
    bool selectPrinter(const QString &name) override
    {
        if (!names.contains(name))
            return false;
        current = name;
        ++selections;
        return true;
    }
    bool hasDeviceSettings() const override { return true; }
    int orientation() const override { return orient; }
    void setOrientation(int o) override { orient = o; }
    QPageSize::PageSizeId paperSize() const override { return paper; }
    void setPaperSize(QPageSize::PageSizeId id) override { paper = id; }
    DeviceMetrics metrics() const override
    {
        QSizeF mm = QPageSize(paper).size(QPageSize::Millimeter);
        if (orient == PrintSettings::Landscape)
            mm.transpose();
        DeviceMetrics m;
        m.physicalWidth = mm.width() / 25.4 * 600;
        m.physicalHeight = mm.height() / 25.4 * 600;
        m.offsetX = m.offsetY = border;
        m.printableWidth = m.physicalWidth - 2 * border;
        m.printableHeight = m.physicalHeight - 2 * border;
        return m;
    }
    QList<DeviceFont> deviceFonts() const override { return ReportFonts::lineprinterFonts(600); }
};
