#include "documents/forms/TXSPNecesarForm.h"

#include "app/AmountParsing.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridColumns.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/OpenedWindow.h"
#include "app/forms/TSelDateDlg.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/forms/DocumentNavigator.h"
#include "documents/forms/OpenCellEditor.h"
#include "documents/forms/ProposalStockModel.h"
#include "documents/forms/RefusalDisplay.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using Col = ProposalStockModel::Column;

TXSPNecesarForm::TXSPNecesarForm(Database &db, Parameters &parameters, Messages &messages, double proposal,
                                 QWidget *parent)
    : QWidget(parent), m_db(db), m_params(parameters), m_messages(messages), m_service(db, parameters),
      m_askDate([this](QDate &date) { return TSelDateDlg::execute(date, this); })
{
    setObjectName(QStringLiteral("TXSPNecesarForm"));
    setWindowTitle(caption());
    auto *layout = new QVBoxLayout(this);
    QList<QToolButton *> buttons;
    auto row = [this](int step) {
        const QModelIndex at = m_grid->currentIndex();
        const int last = m_lines->rowCount() - 1;
        if (last < 0)
            return;
        const int target = step == -2 ? 0 : step == 2 ? last : qBound(0, (at.isValid() ? at.row() : 0) + step, last);
        m_grid->setCurrentIndex(m_lines->index(target, at.isValid() ? at.column() : Col::Cantitate));
    };
    QHBoxLayout *navigator = DocumentNavigator::build(
        this,
        {[row] { row(-2); }, [row] { row(-1); }, [row] { row(1); }, [row] { row(2); }, {},
         [this] { deleteCurrentLine(); }, [this] { OpenCellEditor::commitAndClose(m_grid); },
         [this] {
             OpenCellEditor::revert(m_grid);
             load();
         },
         [this] { refreshData(); }},
        &buttons);
    // New lines come from the stock selection of the proposals window.
    const QStringList hints = navigatorHints();
    const QList<int> hintOf{0, 1, 2, 3, 4, 5, 7, 8, 9};
    for (int i = 0; i < buttons.size() && i < hintOf.size(); ++i) {
        buttons[i]->setToolTip(hints.value(hintOf[i]));
        buttons[i]->setStatusTip(hints.value(hintOf[i]));
    }
    if (buttons.size() > 4)
        buttons[4]->setEnabled(false);
    m_generateBtn = new QPushButton(QStringLiteral("Genereaza document iesire "), this);
    m_generateBtn->setObjectName(QStringLiteral("GenerateBtn"));
    m_generateBtn->setFocusPolicy(Qt::ClickFocus);
    connect(m_generateBtn, &QPushButton::clicked, this, [this] { generate(); });
    navigator->addStretch(1);
    navigator->addWidget(m_generateBtn);
    layout->addLayout(navigator);

    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("HeaderLabel"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    layout->addWidget(m_header);

    m_lines = new ProposalStockModel(m_service, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("ItemsGrid"));
    m_grid->setModel(m_lines);
    m_grid->setItemDelegate(new GridCellDelegate(m_messages, m_grid));
    new GridKeyboard(m_grid);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                            | QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    layout->addWidget(m_grid, 1);
    connect(m_lines, &ProposalStockModel::quantityTyped, this, &TXSPNecesarForm::setQuantity, Qt::QueuedConnection);

    m_proposal = proposal;
    try {
        load();
        m_open = true;
    } catch (const DbError &e) {
        m_messages.error(openErrorText(e.engineMessage()));
        return;
    }
    GridColumns::fit(m_grid, {{Col::GestName, 18}, {Col::CodGrupa, 8}, {Col::CodArticol, 12}, {Col::Denumire, 30},
                              {Col::Cantitate, 9}, {Col::StocExist, 9}, {Col::StocFin, 9}});
    resize(900, 420);
}

TXSPNecesarForm *TXSPNecesarForm::create(Database &db, Parameters &parameters, Messages &messages, double proposal,
                                         QWidget *parent)
{
    return openedOrNull(new TXSPNecesarForm(db, parameters, messages, proposal, parent));
}

QString TXSPNecesarForm::openErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la baza de date.\n") + engineMessage;
}

QStringList TXSPNecesarForm::navigatorHints()
{
    return {QStringLiteral("Primul"),   QStringLiteral("Anterior"), QStringLiteral("Urmator"),
            QStringLiteral("Ultimul"),  QStringLiteral("Adaugare"), QStringLiteral("Stergere"),
            QStringLiteral("Editare"),  QStringLiteral("Salvare"),  QStringLiteral("Anulare"),
            QStringLiteral("Refresh")};
}

QString TXSPNecesarForm::headerText() const
{
    return m_header->text();
}

void TXSPNecesarForm::load()
{
    const std::optional<ProposalHeader> h = m_service.loadHeader(m_proposal);
    const QString number = h && h->number ? formatNumber(*h->number, QString()) : QString();
    const QString date = h ? NationalFormats::current().formatLongDate(h->date) : QString();
    m_header->setText(QStringLiteral("Lista mijloacelor fixe ce urmeaza sa fie casate conform documentului nr. %1 "
                                     "din data de %2")
                          .arg(number, date));
    const QModelIndex at = m_grid->currentIndex();
    m_lines->setRows(m_service.stockCheck(m_proposal));
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentIndex(m_lines->index(qBound(0, at.isValid() ? at.row() : 0, m_lines->rowCount() - 1),
                                               at.isValid() ? at.column() : Col::Cantitate));
}

bool TXSPNecesarForm::showProposal(double proposal)
{
    m_proposal = proposal;
    try {
        load();
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    return true;
}

bool TXSPNecesarForm::setQuantity(int row, const QString &text)
{
    if (row < 0 || row >= m_lines->rowCount())
        return false;
    ExitLine line = m_lines->row(row).line;
    if (!parseOptionalAmount(text, line.quantity)) {
        m_messages.warning(notAnAmountText(text));
        return false;
    }
    try {
        const ProposalService::LineSave saved = m_service.saveLine(line);
        if (saved.overStock)
            m_messages.warning(ProposalService::overStockText());
        load();
        return true;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return false;
}

void TXSPNecesarForm::deleteCurrentLine()
{
    const QModelIndex at = m_grid->currentIndex();
    if (!at.isValid())
        return;
    const ExitLine &line = m_lines->row(at.row()).line;
    try {
        m_service.deleteLine(line.contor, line.contorSecundar.value_or(0));
        load();
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

double TXSPNecesarForm::generate()
{
    OpenCellEditor::commitAndClose(m_grid);
    if (m_lines->hasNegative() && !m_messages.yesNo(ProposalService::negativeStockQuestion()))
        return 0;
    QDate date = QDate::currentDate();
    if (!m_askDate(date) || !date.isValid())
        return 0;
    double exit = 0;
    try {
        exit = m_service.generate(m_proposal, date).exitContor;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
        load();
        return 0;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return 0;
    }
    if (m_openExit)
        m_openExit(exit);
    closeWindow();
    return exit;
}

void TXSPNecesarForm::closeWindow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void TXSPNecesarForm::refreshData()
{
    if (!m_open || OpenCellEditor::of(m_grid))
        return;
    try {
        load();
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}
