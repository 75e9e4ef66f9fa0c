#include "printing/PrintedTotals.h"

#include "printing/CsvOutput.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

bool isAmount(const QString &text)
{
    // Digits with separators and a sign, ending in a digit (a main-group key such as "2."
    // is a caption), or the '#' of an amount too wide for its column.
    static const QRegularExpression amount(QStringLiteral("^-?[0-9]([0-9.,' ]*[0-9])?$|^#+$"));
    return amount.match(text).hasMatch();
}

} // namespace

namespace PrintedTotals {

QVector<Line> read(const ReportDocument &document)
{
    QVector<Line> lines;
    for (const ReportPage &page : document.pages) {
        // Bold texts by the top of their cell (one band of the page), in layout order.
        std::map<qint64, QVector<const ReportText *>> bands;
        QVector<qint64> order;
        for (const ReportText &t : page.texts) {
            if (t.font < 0 || t.font >= document.fonts.size() || !document.fonts[t.font]->font().bold())
                continue;
            const qint64 key = qRound64(t.cell.top() * 100);
            auto &band = bands[key];
            if (band.isEmpty())
                order.append(key);
            band.append(&t);
        }
        for (qint64 key : std::as_const(order)) {
            QVector<const ReportText *> band = bands[key];
            std::sort(band.begin(), band.end(),
                      [](const ReportText *a, const ReportText *b) { return a->cell.left() < b->cell.left(); });
            // The caption comes first; everything after it must be an amount, else the
            // band is a row of headings or a line of text.
            Line line;
            bool totals = true;
            for (qsizetype i = 0; i < band.size(); ++i) {
                const QString &text = band[i]->text;
                if (isAmount(text))
                    line.amounts << text;
                else if (i == 0)
                    line.caption = text;
                else {
                    totals = false;
                    break;
                }
            }
            if (totals && !line.amounts.isEmpty())
                lines.append(line);
        }
    }
    return lines;
}

QString csv(const ReportDocument &document, const QStringList &amountNames, const NationalFormats &formats)
{
    QString out = (QStringList{QStringLiteral("Total")} + amountNames).join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const Line &line : read(document)) {
        QStringList cells{CsvOutput::field(line.caption)};
        for (QString amount : line.amounts) {
            if (!amount.startsWith(QLatin1Char('#'))) {
                amount.remove(formats.thousandSeparator());
                amount.replace(formats.decimalSeparator(), QLatin1Char('.'));
            }
            cells << amount;
        }
        out += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

} // namespace PrintedTotals
