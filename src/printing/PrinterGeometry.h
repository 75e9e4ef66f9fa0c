#pragma once

// What a printer reports about its page, in device dots, for the current paper and
// orientation.
struct DeviceMetrics
{
    double dpiX = 600;
    double dpiY = 600;
    double physicalWidth = 0;  // whole sheet
    double physicalHeight = 0;
    double offsetX = 0;        // first printable dot from the sheet's left edge
    double offsetY = 0;
    double printableWidth = 0;
    double printableHeight = 0;
};

// The printer's page in whole millimetres: its size and the non-printable border on each
// side (the minimum margins).
struct PrinterGeometry
{
    int minLeft = 0;
    int minTop = 0;
    int minRight = 0;
    int minBottom = 0;
    int pageWidth = 0;
    int pageHeight = 0;

    static PrinterGeometry fromMetrics(const DeviceMetrics &m);
};

// The four page margins in millimetres.
struct Margins
{
    int top = 5;
    int left = 5;
    int bottom = 5;
    int right = 5;

    bool operator==(const Margins &) const = default;
};
