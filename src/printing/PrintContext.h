#pragma once

#include "printing/PageSetup.h"
#include "printing/PrintDevice.h"
#include "printing/PrintSettings.h"

#include <memory>

// What an output step hands to the painter: the report's page, copies, range, preview.
struct OutputSetup
{
    PageSetup page;
    PrinterGeometry geometry;
    int copies = 1;
    int firstPage = 0;
    int lastPage = 0;
    bool preview = false;
};

// The program's current print settings together with the current printer. The main
// window owns one: readSettings() at start, writeSettings() at exit.
class PrintContext
{
public:
    explicit PrintContext(std::unique_ptr<PrintDevice> device);

    PrintSettings &settings() { return m_settings; }
    const PrintSettings &settings() const { return m_settings; }
    PrintDevice &device() { return *m_device; }

    // Loads section "PrinterSettings"; a saved printer the system still lists becomes
    // the current printer (with its driver's defaults), otherwise the default stays.
    void readSettings(const QString &iniPath);
    // Saves the settings with the current printer's name.
    void writeSettings(const QString &iniPath);

    // The output steps: font, printer, copies and range, paper and orientation on the
    // printer, margins raised to the printer's minimums.
    OutputSetup prepareOutput();

private:
    PrintSettings m_settings;
    std::unique_ptr<PrintDevice> m_device;
};
