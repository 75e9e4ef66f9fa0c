#include "printing/ReportFonts.h"

#include "printing/PrintSettings.h"

#include "printing/GlyphCache.h"
#include <QRegularExpression>

#include <cmath>

namespace {

const QString kMono = QStringLiteral("Liberation Mono");
// Liberation Mono advances 0.6 em: 12 characters per inch at 10 points.
constexpr double kMonoCpiAt10 = 12.0;
const int kCpis[] = {10, 12, 15, 17, 20};

QString substitute(const QString &family)
{
    const QString f = family.trimmed();
    if (f.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0
        || f.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (f.compare(QLatin1String("Arial Narrow"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans Narrow");
    if (f.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (f.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0
        || f.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0)
        return kMono;
    return f;
}

} // namespace

namespace ReportFonts {

QFont resolve(const QString &name, int pointSize, int pitch)
{
    QFont font;
    static const QRegularExpression cpiName(QStringLiteral("^(.*\\S)\\s+(\\d+)\\s*cpi$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto m = cpiName.match(name.trimmed());
    if (m.hasMatch() && m.captured(2).toInt() > 0) {
        font.setFamily(substitute(m.captured(1)));
        font.setStretch(int(std::lround(100.0 * kMonoCpiAt10 / m.captured(2).toInt())));
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    } else {
        font.setFamily(name.trimmed().isEmpty() ? QStringLiteral("Liberation Sans") : substitute(name));
        if (pitch == PrintSettings::FixedPitch) {
            font.setFixedPitch(true);
            font.setStyleHint(QFont::Monospace);
        }
    }
    font.setPointSizeF(pointSize > 0 ? pointSize : 10);
    // Unhinted outlines: what is measured is what prints, at any resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QList<DeviceFont> lineprinterFonts(double dpiX)
{
    QList<DeviceFont> list;
    for (int cpi : kCpis)
        list.append({QStringLiteral("%1 %2cpi").arg(kMono).arg(cpi), dpiX / cpi});
    return list;
}

QString nearest17Cpi(const QList<DeviceFont> &fonts, double dpiX)
{
    const double target = dpiX / 17.0;
    QString best;
    double bestDistance = 0;
    for (const DeviceFont &f : fonts) {
        const double d = std::abs(f.averageWidth - target);
        if (best.isEmpty() || d < bestDistance) {
            best = f.name;
            bestDistance = d;
        }
    }
    return best;
}

double charactersPerInch(const QFont &font)
{
    const GlyphCache glyphs(font);
    const double advance = glyphs.advance(QLatin1Char('0')); // points
    return advance > 0 ? 72.0 / advance : 0;
}

} // namespace ReportFonts
