#include "documents/forms/DocOutCommands.h"

#include "app/Messages.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/ExitTotals.h"
#include "documents/ManagementUnits.h"
#include "documents/Transfer.h"
#include "documents/forms/DocOutHeadersModel.h"
#include "documents/forms/DocOutLinesModel.h"
#include "documents/forms/RefusalDisplay.h"
#include "documents/forms/TDiscountDlg.h"
#include "documents/forms/TDocOutForm.h"
#include "documents/forms/TTransferDlg.h"
#include "printing/forms/ExitDocumentPrint.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

using Col = DocOutLinesModel::Column;

void DocOutCommands::showTotals()
{
    if (m_form.m_currentRow < 0 || !m_form.postCurrent())
        return;
    const QString type = m_form.m_typeCombo->currentText().trimmed();
    try {
        const QString text = ExitTotals::text(ExitTotals(m_form.m_db).sums(m_form.currentContor()), type);
        if (!ExitTotals::asksPayment(type)) {
            m_form.m_messages.information(text);
            return;
        }
        if (m_form.m_messages.yesNo(text))
            m_form.m_service.markPaidInFull(m_form.currentContor());
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_form.m_messages);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
}

void DocOutCommands::applyDiscount()
{
    if (m_form.m_currentRow < 0)
        return;
    if (m_form.m_lines->rowCount() == 0) {
        QApplication::beep();
        m_form.m_messages.error(ExitDocumentService::noLinesForDiscountText());
        return;
    }
    if (!m_form.saveForCommand())
        return;
    const double contor = m_form.currentContor();
    double start = 0;
    const int row = m_form.currentRow();
    try {
        // The budget of the line the window stands on.
        start = m_form.m_service.discountOf(row >= 0 ? m_form.m_lines->line(row).agent : QString());
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
        return;
    }
    for (;;) {
        const std::optional<double> percent = TDiscountDlg::execute(start, m_form.m_messages, &m_form);
        if (!percent)
            return;
        try {
            m_form.m_service.applyDiscount(contor, *percent);
            break;
        } catch (const DocumentRefusal &refusal) {
            showRefusal(refusal, m_form.m_messages);
            if (refusal.kind() != DocumentRefusal::Kind::Warning)
                return;
            // Asked again, from the value refused.
            start = *percent;
        } catch (const DbError &e) {
            m_form.m_messages.error(e.userText());
            return;
        }
    }
    try {
        m_form.showLines(contor);
        m_form.moveCursor(row, Col::Cantitate);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
}

void DocOutCommands::transfer()
{
    if (m_form.m_currentRow < 0 || !m_form.saveForCommand())
        return;
    QList<ManagementUnits::Unit> units;
    try {
        units = ManagementUnits(m_form.m_db).byName();
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
        return;
    }
    // The receiving unit the header names, when it has one, is where the list starts.
    const QString receiving = TTransferDlg::execute(units, m_form.m_clientEdit->text().trimmed(), &m_form);
    if (!receiving.isEmpty())
        transferTo(receiving);
}

bool DocOutCommands::transferTo(const QString &receivingUnit)
{
    if (m_form.m_currentRow < 0 || !m_form.leaveDocument())
        return false;
    const double contor = m_form.currentContor();
    const int row = m_form.currentRow();
    std::optional<double> line;
    if (row >= 0)
        line = m_form.m_lines->line(row).contorSecundar;
    try {
        Transfer(m_form.m_db, m_form.m_params).run(contor, receivingUnit, line);
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_form.m_messages);
        return false;
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
        return false;
    }
    // The header became a transfer note and the lines went at cost: both are shown again.
    try {
        m_form.reloadHeaders(contor);
        m_form.showDocument(m_form.m_currentRow);
        m_form.moveCursor(row, Col::CodGrupa);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
    QApplication::beep();
    m_form.m_messages.information(Transfer::doneText());
    return true;
}

void DocOutCommands::printDocument()
{
    if (!m_form.m_print || m_form.m_currentRow < 0 || !m_form.saveForCommand())
        return;
    printExitDocument(&m_form, m_form.m_db, m_form.m_params, *m_form.m_print, m_form.m_messages,
                      m_form.m_printOptions, m_form.currentContor(), m_form.m_typeCombo->currentText().trimmed());
}

void DocOutCommands::setPeriod(const QDate &first, const QDate &last)
{
    if (!m_form.leaveDocument())
        return;
    const double keep = m_form.currentContor();
    m_form.m_period.apply(first, last);
    try {
        m_form.reloadHeaders(0);
        const int row = m_form.m_headers->rowOf(keep);
        m_form.showDocument(row >= 0 ? row : m_form.m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
    m_form.setWindowTitle(DocumentPeriod::caption(m_form.m_baseCaption, first, last));
}

void DocOutCommands::showAll()
{
    if (!m_form.m_period.active() || !m_form.leaveDocument())
        return;
    const double keep = m_form.currentContor();
    m_form.m_period.clear();
    try {
        m_form.reloadHeaders(keep);
        m_form.showDocument(m_form.m_currentRow >= 0 ? m_form.m_currentRow : m_form.m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
    }
    m_form.m_baseCaption = TDocOutForm::caption();
    m_form.setWindowTitle(m_form.m_baseCaption);
}

void DocOutCommands::askPeriod()
{
    QDate first;
    QDate last;
    if (m_form.m_period.ask(first, last, m_form.m_messages, &m_form))
        setPeriod(first, last);
}

void DocOutCommands::searchFirst()
{
    SearchCriteria criteria;
    // The exit documents have no serial numbers to search by.
    if (m_form.m_search.ask(criteria, false, m_form.m_messages, &m_form))
        searchFirst(criteria);
}

bool DocOutCommands::searchFirst(const SearchCriteria &criteria)
{
    m_form.m_search.restart(criteria);
    return searchNext();
}

bool DocOutCommands::searchNext()
{
    std::optional<DocumentSearch::Found> found;
    try {
        found = m_form.m_search.next(m_form.m_db, m_form.m_period);
    } catch (const DbError &e) {
        m_form.m_messages.error(e.userText());
        return false;
    }
    if (!found) {
        QApplication::beep();
        return false;
    }
    if (!m_form.leaveDocument())
        return false;
    m_form.m_search.found(found->contor);
    int row = m_form.m_headers->rowOf(found->contor);
    if (row < 0) {
        m_form.reloadHeaders(found->contor);
        row = m_form.m_currentRow;
    }
    m_form.showDocument(row);
    if (found->lineNumber) {
        const int line = m_form.m_lines->rowOfLine(*found->lineNumber);
        if (line >= 0)
            m_form.moveCursor(line,
                              m_form.m_search.criteria().kind == SearchCriteria::Price ? Col::Pret : Col::CodArticol);
    }
    return true;
}
