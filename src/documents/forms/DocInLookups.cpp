#include "documents/forms/DocInLookups.h"

#include "app/Messages.h"
#include "app/Parameters.h"
#include "app/Status.h"
#include "catalogs/forms/TCatLookupForm.h"
#include "catalogs/forms/TCautareForm.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/SelectionInsertion.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/RefusalDisplay.h"
#include "documents/forms/TDocInForm.h"
#include "documents/forms/TSelComandaDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlRecord>
#include <QTableView>

using Col = DocInLinesModel::Column;

QString DocInLookups::columnHint(int column)
{
    switch (column) {
    case Col::GestName: return QStringLiteral("Apasati CTRL-ENTER pentru a selecta gestiunea din catalog!");
    case Col::CodGrupa:
    case Col::CodArticol:
        return QStringLiteral(
            "Apasati CTRL-ENTER pentru a selecta articolul din catalog sau CTRL-G pentru cautare in catalog !");
    default: return QStringLiteral("...");
    }
}

void DocInLookups::insertSelection(const QList<QPair<QString, QString>> &articles)
{
    if (articles.isEmpty() || !m_form.postCurrent())
        return;
    if (m_form.m_currentRow < 0 && !m_form.newDocument())
        return;
    m_form.repaint();
    Status::show(QStringLiteral("Inserez articolele selectate..."));
    m_form.m_grid->setUpdatesEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_form.m_bulk = true;
    // The unit of the line the window stands on, else the default one.
    const int at = m_form.currentRow();
    const QString unit = at >= 0 && !m_form.m_lines->line(at).unit.isEmpty() ? m_form.m_lines->line(at).unit
                                                                              : m_form.m_defaultUnit;
    int first = -1;
    try {
        // All or nothing: a refused article leaves no line of the selection behind.
        const QList<EntryLine> lines = SelectionInsertion(m_form.m_db, m_form.m_params, m_form.m_service)
                                           .insert(m_form.currentContor(), unit, articles,
                                                   m_form.m_typeCombo->currentText());
        for (const EntryLine &saved : lines) {
            const int row = m_form.m_lines->appendLine(saved);
            m_form.m_lines->markSaved(row, saved);
            if (first < 0)
                first = row;
        }
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_form.m_messages);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
    m_form.m_bulk = false;
    QApplication::restoreOverrideCursor();
    m_form.m_grid->setUpdatesEnabled(true);
    if (first >= 0) {
        m_form.m_returning = true;
        m_form.m_grid->setCurrentIndex(m_form.m_lines->index(first, Col::CodGrupa));
        m_form.m_returning = false;
        m_form.lineEdited();
    }
    Status::show(QStringLiteral(" OK."));
}

void DocInLookups::gridDoubleClicked(const QModelIndex &index)
{
    switch (index.column()) {
    case Col::GestName:
    case Col::CodGrupa:
        openLookup();
        break;
    case Col::Comanda:
        if (m_form.m_params.com)
            openLookup();
        break;
    default:
        m_form.m_grid->edit(index);
        break;
    }
}

void DocInLookups::openLookup()
{
    const QModelIndex index = m_form.m_grid->currentIndex();
    if (!index.isValid())
        return;
    // The editor's text, when one is open, is the line's value the lookup starts from.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != m_form.m_grid && m_form.m_grid->isAncestorOf(focus)) {
        QMetaObject::invokeMethod(m_form.m_grid, "commitData", Q_ARG(QWidget *, focus));
        QMetaObject::invokeMethod(m_form.m_grid, "closeEditor", Q_ARG(QWidget *, focus),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
    switch (index.column()) {
    case Col::GestName: unitLookup(index.row()); break;
    case Col::CodGrupa:
    case Col::CodArticol: codeLookup(index.row()); break;
    case Col::Comanda:
        if (m_form.m_params.com)
            orderLookup(index.row());
        break;
    default: break;
    }
}

void DocInLookups::unitLookup(int row)
{
    QString code = m_form.m_lines->line(row).unit;
    if (!TGestlookupForm::selectUnit(&m_form, m_form.m_db, m_form.m_messages, m_form.m_workstation, code))
        return;
    if (m_form.m_lines->setUnit(row, code))
        m_form.moveCursor(row, m_form.m_params.codBare ? Col::CodBare : Col::CodGrupa);
}

void DocInLookups::codeLookup(int row)
{
    TCatLookupForm::Choice choice;
    const EntryLine &line = m_form.m_lines->line(row);
    if (!TCatLookupForm::selectCode(&m_form, m_form.m_db, m_form.m_messages, m_form.m_workstation, line.group,
                                    line.article, choice))
        return;
    if (choice.items.size() > 1) {
        QList<QPair<QString, QString>> articles;
        for (const QSqlRecord &item : std::as_const(choice.items))
            articles.append({item.value(QStringLiteral("Grupa")).toString(), item.value(QStringLiteral("Cod")).toString()});
        insertSelection(articles);
        return;
    }
    if (m_form.m_lines->setGroup(row, choice.group.value(QStringLiteral("Cod_grupa")).toString()))
        m_form.moveCursor(row, m_form.m_params.com ? Col::Comanda : Col::CodArticol);
}

void DocInLookups::articleSearch()
{
    QSqlRecord current;
    QList<QSqlRecord> selected;
    if (!TCautareForm::execute(m_form.m_db, m_form.m_messages, &m_form, current, selected))
        return;
    if (selected.size() > 1) {
        QList<QPair<QString, QString>> articles;
        for (const QSqlRecord &item : std::as_const(selected))
            articles.append({item.value(QStringLiteral("Grupa")).toString(), item.value(QStringLiteral("Cod")).toString()});
        insertSelection(articles);
        return;
    }
    if (current.isEmpty())
        return;
    int row = m_form.currentRow();
    if (row < 0 && (row = m_form.addLine()) < 0)
        return;
    if (m_form.m_lines->setArticle(row, current.value(QStringLiteral("Grupa")).toString(),
                                   current.value(QStringLiteral("Cod")).toString()))
        m_form.moveCursor(row, m_form.m_params.com ? Col::Comanda : Col::Cantitate);
}


void DocInLookups::orderLookup(int row)
{
    // The orders placed with the supplier the header shows.
    const QString supplier = m_form.m_supplierCombo->currentData().toString();
    const std::optional<OutstandingOrders::Line> chosen =
        TSelComandaDlg::execute(m_form.m_db, m_form.m_messages, supplier, &m_form);
    if (!chosen)
        return;
    if (m_form.m_lines->setOrderLine(row, chosen->group, chosen->article, chosen->agent, chosen->outstanding(),
                                     chosen->order))
        m_form.moveCursor(row, Col::Cantitate);
}
