#include "documents/forms/DocOutLookups.h"

#include "app/Messages.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "db/DbError.h"
#include "documents/ExitPriceChoice.h"
#include "documents/forms/DocOutLinesModel.h"
#include "documents/forms/OpenCellEditor.h"
#include "documents/forms/TDocOutForm.h"
#include "documents/forms/TSelPretDlg.h"
#include "documents/forms/TStocksForm.h"

#include <QLineEdit>
#include <QTableView>

using Col = DocOutLinesModel::Column;

QString DocOutLookups::columnHint(int column)
{
    switch (column) {
    case Col::GestName:
    case Col::CodGrupa:
    case Col::CodArticol:
        return QStringLiteral("Apasati CTRL-ENTER pentru a selecta gestiunea si articolul din stocurile curente!");
    case Col::Pret: return QStringLiteral("Apasati CTRL-ENTER pentru a selecta pretul din stocurile curente!");
    default: return QStringLiteral("...");
    }
}

QString DocOutLookups::receivingUnitHint()
{
    return QStringLiteral("Apsati <Ctrl-Enter> pentru a selecta clientul din catalog!");
}

void DocOutLookups::gridDoubleClicked(const QModelIndex &index)
{
    switch (index.column()) {
    case Col::GestName:
    case Col::CodGrupa:
    case Col::CodArticol:
    case Col::Pret:
        openLookup();
        break;
    default:
        m_form.m_grid->edit(index);
        break;
    }
}

void DocOutLookups::openLookup()
{
    const QModelIndex index = m_form.m_grid->currentIndex();
    if (!index.isValid())
        return;
    // The editor's text, when one is open, is the line's value the lookup starts from.
    OpenCellEditor::commitAndClose(m_form.m_grid);
    switch (index.column()) {
    case Col::GestName:
    case Col::CodGrupa:
    case Col::CodArticol: stockLookup(index.row()); break;
    case Col::Pret: priceLookup(index.row()); break;
    default: break;
    }
}

void DocOutLookups::stockLookup(int row)
{
    const ExitLine &line = m_form.m_lines->line(row);
    StockPick pick;
    pick.unit = line.unit;
    pick.group = line.group;
    pick.article = line.article;
    pick.price = line.price.value_or(-1);
    if (!TStocksForm::pickFromStock(&m_form, m_form.m_db, m_form.m_messages, m_form.m_workstation, pick))
        return;
    const StockKey key{pick.unit, pick.group, pick.article, pick.price,
                       QDate::fromString(pick.lot, QStringLiteral("d.M.yyyy")), pick.agent};
    m_form.m_lines->takeStockRow(row, key);
    m_form.moveCursor(row, Col::Cantitate);
}

void DocOutLookups::priceLookup(int row)
{
    const ExitLine &line = m_form.m_lines->line(row);
    if (line.unit.isEmpty() || line.group.isEmpty() || line.article.isEmpty())
        return;
    QList<ExitPriceChoice::PriceRow> rows;
    try {
        rows = ExitPriceChoice(m_form.m_db).priceRows(line.unit, line.group, line.article);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
        return;
    }
    if (rows.isEmpty()) {
        m_form.m_messages.warning(ExitPriceChoice::noStockText());
        return;
    }
    if (const std::optional<ExitPriceChoice::PriceRow> chosen = TSelPretDlg::execute(rows, &m_form))
        m_form.m_lines->takePrice(row, *chosen);
}

void DocOutLookups::receivingUnitLookup()
{
    QString code = m_form.m_clientEdit->text();
    if (!TGestlookupForm::selectUnit(&m_form, m_form.m_db, m_form.m_messages, m_form.m_workstation, code))
        return;
    m_form.setReceivingUnit(code);
}
