#include "reports/forms/DepreciationSituationRun.h"

#include "app/Messages.h"
#include "app/Parameters.h"
#include "app/Status.h"
#include "app/WorkingSelection.h"
#include "app/forms/TSelDateDlg.h"
#include "catalogs/forms/TSelClnDlg.h"
#include "catalogs/forms/TSelGestDlg.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/StockAtDate.h"
#include "printing/PrintContext.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TQRPrnDlg.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationReport.h"

#include <QApplication>
#include <QCursor>

namespace {

// Hourglass while the report is built; restored for every dialog and at the end.
class BusyCursor
{
public:
    void on()
    {
        if (!m_on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        m_on = true;
    }
    void off()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }
    ~BusyCursor() { off(); }

private:
    bool m_on = false;
};

} // namespace

bool runDepreciationSituation(SituationKind kind, QWidget *owner, Database &db, const Parameters &parameters,
                              PrintContext &print, Messages &messages, WorkingSelection &selection)
{
    if (kind == SituationKind::Summary)
        selection.budget.clear();
    const bool only = messages.yesNo(QStringLiteral("Doriti doar listarea mijloacelor fixe neamortizate?"));
    print.settings().applyPreset(PrintSettings::Landscape);

    QString units = selection.units;
    if (!TSelGestDlg::execute(db, messages, units, owner))
        return false;
    selection.units = units;
    QDate date = selection.referenceDate.isValid() ? selection.referenceDate : QDate::currentDate();
    if (!TSelDateDlg::execute(date, owner))
        return false;
    selection.referenceDate = date;

    StockAtDate stock(db, parameters.lot);
    DepreciationSituation situation(db);
    BusyCursor cursor;
    bool printed = false;
    try {
        cursor.on();
        Status::show(QStringLiteral("Procesez datele..."));
        // The situation reads the stock at the date in its own pass; here only whether
        // any document counts, so that "no documents" comes before the print dialog.
        const bool documents = stock.hasDocuments(date, StockAtDate::parseUnitList(units));
        cursor.off();
        if (!documents) {
            messages.warning(StockAtDate::noDocumentsText());
            return false;
        }
        if (TQRPrnDlg::execute(owner, print, messages)) {
            Status::show(QStringLiteral("Listez..."));
            cursor.on();
            QString budget = selection.budget;
            bool go = true;
            if (situation.hasBudgets()) {
                cursor.off();
                go = TSelClnDlg::execute(db, messages, budget, owner);
                cursor.on();
                if (go)
                    selection.budget = budget;
            }
            if (go) {
                SituationReport::Header header;
                header.date = date;
                header.printed = QDate::currentDate();
                header.onlyUndepreciated = only;
                if (!situation.readHeader(parameters.firmNo, budget, header))
                    budget.clear(); // a budget no longer in the table restricts nothing
                DepreciationSituation::Options options;
                options.date = date;
                options.units = StockAtDate::parseUnitList(units);
                options.budget = budget;
                options.onlyUndepreciated = only;
                options.epsilon = parameters.epsilon;
                options.withLots = parameters.lot;
                const QVector<ReportRow> lines = situation.build(kind, options);
                cursor.off();
                printed = ReportPrinterOutput::output(owner, print, messages, [&](const PageSetup &page) {
                    return SituationReport::document(kind, header, lines, page);
                });
            }
        }
    } catch (const DbError &e) {
        cursor.off();
        messages.error(e.reportText());
    }
    // No answer table outlives the run, whatever its end.
    try {
        situation.dropAnswerTable();
    } catch (const DbError &) {
    }
    Status::show(QStringLiteral("OK."));
    return printed;
}
