#pragma once

#include <QPageSize>
#include <QString>

// The report engine's list of 33 paper sizes. The index is what the print settings keep
// ("PaperSize" in the INI file); index 0 is the printer's own default and index 9 is A4.
// Indexes 1..32 follow the Windows DMPAPER numbering the settings files were written with.
namespace PaperSizes {
constexpr int Count = 33;
constexpr int PrinterDefault = 0;
constexpr int A4 = 9;
constexpr int Custom = 32;

// Qt's id for an index; QPageSize::Custom for 0, 32 and indexes out of range.
QPageSize::PageSizeId pageSizeId(int index);
// The index of a Qt page size; 0 when the list does not hold it.
int indexOf(QPageSize::PageSizeId id);
// True for the indexes that are written into the printer's settings (1..31).
bool isWritable(int index);
QString name(int index);
} // namespace PaperSizes
