#include "printing/PrintContext.h"

#include "printing/MarginRules.h"
#include "printing/PaperSizes.h"

PrintContext::PrintContext(std::unique_ptr<PrintDevice> device) : m_device(std::move(device)) {}

void PrintContext::readSettings(const QString &iniPath)
{
    m_settings.load(iniPath);
    const QString saved = m_settings.printerName;
    if (!saved.isEmpty() && m_device->printerNames().contains(saved))
        m_device->selectPrinter(saved);
    m_settings.printerName = m_device->printerName();
}

void PrintContext::writeSettings(const QString &iniPath)
{
    m_settings.printerName = m_device->printerName();
    m_settings.save(iniPath);
}

OutputSetup PrintContext::prepareOutput()
{
    OutputSetup out;
    if (m_device->orientation() != m_settings.orientation)
        m_device->setOrientation(m_settings.orientation);
    const QPageSize::PageSizeId wanted = PaperSizes::pageSizeId(m_settings.paperIndex);
    if (PaperSizes::isWritable(m_settings.paperIndex) && m_device->paperSize() != wanted)
        m_device->setPaperSize(wanted);
    out.page = PageSetup::fromSettings(m_settings, m_device->paperSize());
    out.geometry = m_device->geometry();
    out.page.margins = MarginRules::raisedToMinimum(m_settings.margins, out.geometry);
    if (out.geometry.pageWidth > 0 && out.geometry.pageHeight > 0)
        out.page.margins = MarginRules::withinPage(out.page.margins, out.geometry);
    out.copies = m_settings.copies;
    out.firstPage = m_settings.firstPage;
    out.lastPage = m_settings.lastPage;
    out.preview = m_settings.preview;
    return out;
}
