#include "printing/forms/FixedAssetCardRun.h"

#include "app/Messages.h"
#include "app/Parameters.h"
#include "app/Status.h"
#include "app/forms/TSelDateDlg.h"
#include "db/DbError.h"
#include "printing/FixedAssetCardPrint.h"
#include "printing/PrintContext.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QApplication>

namespace {

struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

bool printFixedAssetCards(QWidget *parent, Database &db, const Parameters &parameters, PrintContext &print,
                          Messages &messages, const QVector<EntryLineKey> &lines)
{
    print.settings().applyPreset(PrintSettings::Portrait);
    if (!TQRPrnDlg::execute(parent, print, messages))
        return false;
    QDate date = QDate::currentDate();
    if (!TSelDateDlg::execute(date, parent))
        return false;

    bool printed = false;
    try {
        Status::show(QStringLiteral("Listez..."));
        QVector<FixedAssetCard> cards;
        {
            BusyCursor busy;
            for (const EntryLineKey &key : lines) {
                auto card = FixedAssetCards::load(db, key, date);
                if (!card) {
                    cards.clear();
                    break;
                }
                cards.append(*card);
            }
        }
        if (cards.isEmpty()) {
            messages.error(FixedAssetCards::locatingError());
            Status::show(QString());
            return false;
        }
        FixedAssetCardPrint printout(std::move(cards), parameters.nrZecimaleLei);
        printout.loadOrganisation(db, parameters.firmNo);
        printed = ReportPrinterOutput::output(parent, print, messages,
                                              [&](const PageSetup &page) { return printout.document(page); });
    } catch (const DbError &e) {
        messages.error(e.reportText());
    }
    Status::show(QStringLiteral("OK."));
    return printed;
}

bool printFixedAssetCardOf(QWidget *parent, Database &db, const Parameters &parameters, PrintContext &print,
                           Messages &messages, const QString &article)
{
    std::optional<EntryLineKey> line;
    try {
        line = FixedAssetCards::lineOfArticle(db, article);
    } catch (const DbError &e) {
        messages.error(e.reportText());
        return false;
    }
    if (!line) {
        messages.error(FixedAssetCards::locatingError());
        return false;
    }
    return printFixedAssetCards(parent, db, parameters, print, messages, {*line});
}
