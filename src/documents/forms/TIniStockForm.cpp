#include "documents/forms/TIniStockForm.h"

#include "app/forms/OpenedWindow.h"
#include "app/Messages.h"
#include "app/Parameters.h"
#include "app/PrivateDirectory.h"
#include "app/Workstation.h"
#include "app/forms/DateField.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridColumns.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/GridLayoutHeader.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryLineEditing.h"
#include "documents/InitialStock.h"
#include "documents/forms/IniStockLinesModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

TIniStockForm::TIniStockForm(Database &db, Messages &messages, const Workstation &workstation,
                             const Parameters &parameters, QWidget *parent)
    : QDialog(parent), m_db(db), m_messages(messages), m_epsilon(parameters.epsilon),
      m_layoutPath(PrivateDirectory(workstation.privateDirectory()).layoutFile(QStringLiteral("iniStock")))
{
    setObjectName(QStringLiteral("TIniStockForm"));
    setWindowTitle(caption());
    setWindowFlags(Qt::Widget);

    m_dateEdit = new DateField(this);
    m_dateEdit->setObjectName(QStringLiteral("DataEdit"));
    m_dateEdit->setMessages(&m_messages);
    m_unitCombo = new QComboBox(this);
    m_unitCombo->setObjectName(QStringLiteral("GestCombo"));
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("ItemsGrid"));
    m_lines = new IniStockLinesModel(m_db, parameters, m_messages, this);
    m_grid->setModel(m_lines);
    m_grid->setItemDelegate(new GridCellDelegate(m_messages, m_grid));
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    new GridKeyboard(m_grid);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    // The price without VAT comes before the price it gives.
    QHeaderView *columns = m_grid->horizontalHeader();
    columns->moveSection(columns->visualIndex(IniStockLinesModel::PriceNet),
                         columns->visualIndex(IniStockLinesModel::Price));
    columns->setSectionHidden(IniStockLinesModel::PriceNet, !parameters.pretFaraTva);
    m_grid->installEventFilter(this);
    m_grid->setStatusTip(QStringLiteral("Insert adauga un articol, Ctrl+Delete il sterge"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Data stocurilor initiale:"), m_dateEdit);
    form->addRow(QStringLiteral("Gestiunea:"), m_unitCombo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_grid, 1);

    try {
        InitialStock stock(m_db, m_epsilon);
        stock.ensureDocument(QDate::currentDate());
        m_dateEdit->setDate(stock.date());
        QSqlQuery units = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\" ORDER BY \"Cod\""));
        while (units.next())
            m_unitCombo->addItem(units.value(0).toString() + QStringLiteral(" - ") + units.value(1).toString(),
                                 units.value(0));
        loadLines();
    } catch (const DbError &e) {
        m_messages.error(openErrorText(e.what()));
        return;
    }
    m_open = true;
    GridColumns::fit(m_grid, {{IniStockLinesModel::Group, 10}, {IniStockLinesModel::Article, 10},
                              {IniStockLinesModel::Name, 30}, {IniStockLinesModel::Price, 11},
                              {IniStockLinesModel::PriceNet, 11}, {IniStockLinesModel::Lot, 10}});
    GridColumns::keepFitting(m_grid);
    GridLayoutHeader::restore(m_grid->horizontalHeader(), m_layoutPath);

    connect(m_dateEdit, &DateField::dateChanged, this, &TIniStockForm::DataEditExit);
    connect(m_unitCombo, &QComboBox::activated, this, [this] {
        if (postCurrent())
            reloadUnit();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TIniStockForm::rowChanged);
    resize(900, 480);
}

TIniStockForm::~TIniStockForm() = default;

TIniStockForm *TIniStockForm::create(Database &db, Messages &messages, const Workstation &workstation,
                                     const Parameters &parameters, QWidget *parent)
{
    return openedOrNull(new TIniStockForm(db, messages, workstation, parameters, parent));
}

QString TIniStockForm::openErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la datele stocurilor initiale!\n<%1>").arg(engineMessage);
}

void TIniStockForm::setUnit(const QString &unit)
{
    const int index = m_unitCombo->findData(unit);
    if (index >= 0 && postCurrent()) {
        m_unitCombo->setCurrentIndex(index);
        reloadUnit();
    }
}

void TIniStockForm::reloadUnit()
{
    try {
        loadLines();
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TIniStockForm::loadLines()
{
    m_lines->setUnit(m_unitCombo->currentData().toString());
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentIndex(m_lines->index(0, 0));
}

int TIniStockForm::addLine()
{
    if (!postCurrent())
        return -1;
    const int row = m_lines->appendLine(
        EntryLineEditing::newLine(InitialStock::documentNumber, m_unitCombo->currentData().toString()));
    m_returning = true;
    m_grid->setCurrentIndex(m_lines->index(row, IniStockLinesModel::Group));
    m_returning = false;
    return row;
}

bool TIniStockForm::saveRow(int row)
{
    if (!m_lines->isDirty(row))
        return true;
    try {
        const EntryLine saved = InitialStock(m_db, m_epsilon).saveLine(m_lines->line(row));
        m_lines->replaceLine(row, saved);
        return true;
    } catch (const DocumentRefusal &refusal) {
        refusal.show(m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return false;
}

bool TIniStockForm::postCurrent()
{
    // Hands an open cell editor's text to the model first.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != m_grid && m_grid->isAncestorOf(focus))
        QMetaObject::invokeMethod(m_grid, "commitData", Q_ARG(QWidget *, focus));
    return saveRow(m_grid->currentIndex().row());
}

void TIniStockForm::rowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_returning || !previous.isValid() || previous.row() == current.row())
        return;
    if (!saveRow(previous.row())) {
        // Back to the refused line, which stays as the user left it.
        m_returning = true;
        m_grid->setCurrentIndex(m_lines->index(previous.row(), previous.column()));
        m_returning = false;
    }
}

void TIniStockForm::deleteCurrent()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || !m_messages.okCancel(QStringLiteral("Stergeti înregistrarea curenta?")))
        return;
    const EntryLine line = m_lines->line(row);
    try {
        if (line.contorSecundar)
            InitialStock(m_db, m_epsilon).deleteLine(*line.contorSecundar);
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TIniStockForm::DataEditExit()
{
    try {
        InitialStock stock(m_db, m_epsilon);
        if (m_dateEdit->date().isValid() && stock.date() != m_dateEdit->date())
            stock.setDate(m_dateEdit->date());
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

bool TIniStockForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool lastRow = m_grid->currentIndex().row() == m_lines->rowCount() - 1;
        if (key->key() == Qt::Key_Insert || (key->key() == Qt::Key_Down && (lastRow || m_lines->rowCount() == 0))) {
            addLine();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() & Qt::ControlModifier) {
            deleteCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TIniStockForm::refreshData()
{
    const int row = m_grid->currentIndex().row();
    QWidget *focus = QApplication::focusWidget();
    if (m_lines->isDirty(row) || (focus && focus != m_grid && m_grid->isAncestorOf(focus)))
        return;
    try {
        m_lines->reload();
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    if (row >= 0 && row < m_lines->rowCount())
        m_grid->setCurrentIndex(m_lines->index(row, 0));
}

void TIniStockForm::closeEvent(QCloseEvent *event)
{
    // A date typed that is not one keeps the window open with it.
    if (m_open && !m_dateEdit->commitText()) {
        event->ignore();
        return;
    }
    DataEditExit();
    if (m_open && !postCurrent()) {
        event->ignore();
        return;
    }
    if (m_open)
        GridLayoutHeader::save(m_grid->horizontalHeader(), m_layoutPath);
    QDialog::closeEvent(event);
}
