#include "printing/forms/QPrinterDevice.h"

#include "printing/PrintSettings.h"
#include "printing/ReportFonts.h"

#include <QPrinterInfo>

QPrinterDevice::QPrinterDevice()
{
    selectPrinter(defaultPrinterName());
}

QString QPrinterDevice::pdfPrinterName()
{
    return QStringLiteral("Fisier PDF");
}

QStringList QPrinterDevice::printerNames() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(pdfPrinterName());
    return names;
}

QString QPrinterDevice::defaultPrinterName() const
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? pdfPrinterName() : name;
}

QString QPrinterDevice::printerName() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat ? pdfPrinterName() : m_printer->printerName();
}

bool QPrinterDevice::selectPrinter(const QString &name)
{
    if (!printerNames().contains(name))
        return false;
    // A fresh QPrinter: the driver's own defaults, nothing kept from the previous one.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (name == pdfPrinterName()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer->setPrinterName(name);
    }
    printer->setFullPage(true);
    m_printer = std::move(printer);
    return true;
}

bool QPrinterDevice::hasDeviceSettings() const
{
    return m_printer && m_printer->isValid();
}

int QPrinterDevice::orientation() const
{
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? PrintSettings::Landscape
                                                                           : PrintSettings::Portrait;
}

void QPrinterDevice::setOrientation(int orientation)
{
    m_printer->setPageOrientation(orientation == PrintSettings::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
}

QPageSize::PageSizeId QPrinterDevice::paperSize() const
{
    return m_printer->pageLayout().pageSize().id();
}

void QPrinterDevice::setPaperSize(QPageSize::PageSizeId id)
{
    m_printer->setPageSize(QPageSize(id));
}

DeviceMetrics QPrinterDevice::metrics() const
{
    DeviceMetrics m;
    const QPageLayout layout = m_printer->pageLayout();
    m.dpiX = m.dpiY = m_printer->resolution();
    const QSizeF sheet = layout.fullRectPoints().size();
    const QMarginsF border = layout.minimumMargins(); // points, in the layout's orientation
    const double k = m.dpiX / 72.0;
    m.physicalWidth = sheet.width() * k;
    m.physicalHeight = sheet.height() * k;
    m.offsetX = border.left() * k;
    m.offsetY = border.top() * k;
    m.printableWidth = (sheet.width() - border.left() - border.right()) * k;
    m.printableHeight = (sheet.height() - border.top() - border.bottom()) * k;
    return m;
}

QList<DeviceFont> QPrinterDevice::deviceFonts() const
{
    return ReportFonts::lineprinterFonts(m_printer->resolution());
}
