#include "printing/PrintSettings.h"

#include "app/IniFile.h"
#include "app/Status.h"
#include "printing/PaperSizes.h"


namespace {
const QString kSection = QStringLiteral("PrinterSettings");
}

void PrintSettings::load(const QString &iniPath)
{
    const IniFile ini(iniPath);
    auto number = [&](const char *key, int fallback) {
        return ini.intValue(kSection, QString::fromLatin1(key), fallback);
    };
    fontName = ini.value(kSection, QStringLiteral("FontName")).left(MaxFontNameLength);
    fontSize = number("FontSize", 10);
    printerName = ini.value(kSection, QStringLiteral("Printer"));
    fontPitch = number("FontPitch", 0);
    orientation = number("PageOrientation", 0) == Landscape ? Landscape : Portrait;
    paperIndex = number("PaperSize", 0);
    if (paperIndex < 0 || paperIndex >= PaperSizes::Count)
        paperIndex = PaperSizes::PrinterDefault;
    if (fontSize <= 0)
        fontSize = 10;
    if (fontPitch < DefaultPitch || fontPitch > FixedPitch)
        fontPitch = DefaultPitch;
    margins.top = number("TopMargin", margins.top);
    margins.left = number("LeftMargin", margins.left);
    margins.bottom = number("BottomMargin", margins.bottom);
    margins.right = number("RightMargin", margins.right);
}

// The other sections of the program's INI file are kept as they are.
bool PrintSettings::save(const QString &iniPath) const
{
    IniFile ini(iniPath);
    ini.setValue(kSection, QStringLiteral("FontName"), fontName);
    ini.setInt(kSection, QStringLiteral("FontSize"), fontSize);
    ini.setValue(kSection, QStringLiteral("Printer"), printerName);
    ini.setInt(kSection, QStringLiteral("FontPitch"), fontPitch);
    ini.setInt(kSection, QStringLiteral("PageOrientation"), orientation);
    ini.setInt(kSection, QStringLiteral("PaperSize"), paperIndex);
    ini.setInt(kSection, QStringLiteral("TopMargin"), margins.top);
    ini.setInt(kSection, QStringLiteral("LeftMargin"), margins.left);
    ini.setInt(kSection, QStringLiteral("BottomMargin"), margins.bottom);
    ini.setInt(kSection, QStringLiteral("RightMargin"), margins.right);
    return ini.save();
}

QString PrintSettings::applyPreset(Orientation o)
{
    fontName = QStringLiteral("Arial");
    fontSize = 8;
    fontPitch = DefaultPitch;
    paperIndex = PaperSizes::A4;
    orientation = o;
    const QString text = presetMessage(o);
    Status::show(text);
    return text;
}

QString PrintSettings::presetMessage(Orientation o)
{
    return o == Landscape ? QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Peisaj")
                          : QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Portret");
}
