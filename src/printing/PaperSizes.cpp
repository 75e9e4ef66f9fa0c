#include "printing/PaperSizes.h"

#include <array>

namespace {

struct Paper
{
    QPageSize::PageSizeId id;
    const char *name;
};

// Index = position. Letter small, A4 small and Note are the same sheets as Letter/A4.
const std::array<Paper, PaperSizes::Count> kPapers{{
    {QPageSize::Custom, "Implicit imprimanta"},
    {QPageSize::Letter, "Letter"},
    {QPageSize::Letter, "Letter Small"},
    {QPageSize::Tabloid, "Tabloid"},
    {QPageSize::Ledger, "Ledger"},
    {QPageSize::Legal, "Legal"},
    {QPageSize::Statement, "Statement"},
    {QPageSize::ExecutiveStandard, "Executive"},
    {QPageSize::A3, "A3"},
    {QPageSize::A4, "A4"},
    {QPageSize::A4, "A4 Small"},
    {QPageSize::A5, "A5"},
    {QPageSize::JisB4, "B4"},
    {QPageSize::JisB5, "B5"},
    {QPageSize::Folio, "Folio"},
    {QPageSize::Quarto, "Quarto"},
    {QPageSize::Imperial10x14, "10x14"},
    {QPageSize::Tabloid, "11x17"},
    {QPageSize::Note, "Note"},
    {QPageSize::Envelope9, "Plic #9"},
    {QPageSize::Envelope10, "Plic #10"},
    {QPageSize::Envelope11, "Plic #11"},
    {QPageSize::Envelope12, "Plic #12"},
    {QPageSize::Envelope14, "Plic #14"},
    {QPageSize::AnsiC, "C Sheet"},
    {QPageSize::AnsiD, "D Sheet"},
    {QPageSize::AnsiE, "E Sheet"},
    {QPageSize::EnvelopeDL, "Plic DL"},
    {QPageSize::EnvelopeC5, "Plic C5"},
    {QPageSize::EnvelopeC3, "Plic C3"},
    {QPageSize::EnvelopeC4, "Plic C4"},
    {QPageSize::EnvelopeC6, "Plic C6"},
    {QPageSize::Custom, "Personalizat"},
}};

} // namespace

namespace PaperSizes {

QPageSize::PageSizeId pageSizeId(int index)
{
    if (index < 0 || index >= Count)
        return QPageSize::Custom;
    return kPapers[size_t(index)].id;
}

int indexOf(QPageSize::PageSizeId id)
{
    if (id == QPageSize::Custom)
        return 0;
    for (int i = 1; i < Count; ++i)
        if (kPapers[size_t(i)].id == id)
            return i;
    return 0;
}

bool isWritable(int index)
{
    return index >= 1 && index <= 31;
}

QString name(int index)
{
    if (index < 0 || index >= Count)
        return QString();
    return QString::fromLatin1(kPapers[size_t(index)].name);
}

} // namespace PaperSizes
