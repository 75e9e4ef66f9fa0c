#include "printing/PrintSettings.h"

#include "app/Status.h"
#include "printing/PaperSizes.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("PrinterSettings");
}

void PrintSettings::load(const QString &iniPath)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(kSection);
    fontName = ini.value(QStringLiteral("FontName"), QString()).toString().left(MaxFontNameLength);
    fontSize = ini.value(QStringLiteral("FontSize"), 10).toInt();
    printerName = ini.value(QStringLiteral("Printer"), QString()).toString();
    fontPitch = ini.value(QStringLiteral("FontPitch"), 0).toInt();
    orientation = ini.value(QStringLiteral("PageOrientation"), 0).toInt() == Landscape ? Landscape
                                                                                       : Portrait;
    paperIndex = ini.value(QStringLiteral("PaperSize"), 0).toInt();
    if (paperIndex < 0 || paperIndex >= PaperSizes::Count)
        paperIndex = PaperSizes::PrinterDefault;
    if (fontSize <= 0)
        fontSize = 10;
    if (fontPitch < DefaultPitch || fontPitch > FixedPitch)
        fontPitch = DefaultPitch;
    margins.top = ini.value(QStringLiteral("TopMargin"), margins.top).toInt();
    margins.left = ini.value(QStringLiteral("LeftMargin"), margins.left).toInt();
    margins.bottom = ini.value(QStringLiteral("BottomMargin"), margins.bottom).toInt();
    margins.right = ini.value(QStringLiteral("RightMargin"), margins.right).toInt();
    ini.endGroup();
}

void PrintSettings::save(const QString &iniPath) const
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(kSection);
    ini.setValue(QStringLiteral("FontName"), fontName);
    ini.setValue(QStringLiteral("FontSize"), fontSize);
    ini.setValue(QStringLiteral("Printer"), printerName);
    ini.setValue(QStringLiteral("FontPitch"), fontPitch);
    ini.setValue(QStringLiteral("PageOrientation"), orientation);
    ini.setValue(QStringLiteral("PaperSize"), paperIndex);
    ini.setValue(QStringLiteral("TopMargin"), margins.top);
    ini.setValue(QStringLiteral("LeftMargin"), margins.left);
    ini.setValue(QStringLiteral("BottomMargin"), margins.bottom);
    ini.setValue(QStringLiteral("RightMargin"), margins.right);
    ini.endGroup();
    ini.sync();
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
