#pragma once

#include "printing/PrintDevice.h"

#include <QPrinter>

#include <memory>

// The current printer of the windows: a QPrinter, on a system printer or on a PDF file.
// Without CUPS (or beside it) "Fisier PDF" is always offered, as Linux users expect.
class QPrinterDevice : public PrintDevice
{
public:
    QPrinterDevice();

    static QString pdfPrinterName();

    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    QString printerName() const override;
    bool selectPrinter(const QString &name) override;
    bool hasDeviceSettings() const override;
    int orientation() const override;
    void setOrientation(int orientation) override;
    QPageSize::PageSizeId paperSize() const override;
    void setPaperSize(QPageSize::PageSizeId id) override;
    DeviceMetrics metrics() const override;
    QList<DeviceFont> deviceFonts() const override;

    QPrinter &printer() { return *m_printer; }
    bool isPdf() const { return m_printer->outputFormat() == QPrinter::PdfFormat; }

private:
    std::unique_ptr<QPrinter> m_printer;
};
