#include "catalogs/forms/TSelListDlg.h"

#include "ui_TSelListDlg.h"

#include "app/Messages.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QApplication>
#include <QHeaderView>
#include <QSqlQueryModel>

TSelListDlg::TSelListDlg(const SelectionSource &source, Database &db, Messages &messages, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TSelListDlg>()), m_source(source), m_db(db),
      m_messages(messages)
{
    ui->setupUi(this);
    setWindowTitle(m_source.caption);
    // Shown as rich text: the run of blanks in the label collapses to one.
    ui->Label1->setTextFormat(Qt::RichText);
    ui->Label1->setText(m_source.label.toHtmlEscaped());
    ui->AllCheck->setText(m_source.allText);
    ui->CancelBtn->setText(m_source.cancelText);
    ui->Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->Grid->setSelectionMode(m_source.multiple ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
    ui->Grid->verticalHeader()->hide();
    ui->Grid->horizontalHeader()->setStretchLastSection(true);

    connect(ui->AllCheck, &QCheckBox::toggled, this, &TSelListDlg::AllCheckClick);
    connect(ui->Grid, &QTableView::doubleClicked, this, &TSelListDlg::GridDblClick);
    connect(ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TSelListDlg::~TSelListDlg() = default;

QCheckBox *TSelListDlg::allCheck() const
{
    return ui->AllCheck;
}

QTableView *TSelListDlg::grid() const
{
    return ui->Grid;
}

bool TSelListDlg::isAll() const
{
    return ui->AllCheck->isChecked();
}

bool TSelListDlg::openList()
{
    if (m_model)
        return true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        QSqlQuery query = m_db.run(m_source.sql);
        auto *model = new QSqlQueryModel(this);
        model->setQuery(std::move(query));
        while (model->canFetchMore())
            model->fetchMore();
        for (int column = 0; column < m_source.captions.size() && column < model->columnCount(); ++column)
            model->setHeaderData(column, Qt::Horizontal, m_source.captions.at(column));
        m_model = model;
    } catch (const DbError &error) {
        QApplication::restoreOverrideCursor();
        m_messages.error(error.userText());
        return false;
    }
    QApplication::restoreOverrideCursor();
    ui->Grid->setModel(m_model);
    ui->Grid->resizeColumnsToContents();
    // Set again: the sizes to contents undid the stretch of the last column.
    ui->Grid->horizontalHeader()->setStretchLastSection(false);
    ui->Grid->horizontalHeader()->setStretchLastSection(true);
    // Like a table cursor, the list stands on its first row; nothing is selected yet.
    if (m_model->rowCount() > 0)
        ui->Grid->selectionModel()->setCurrentIndex(
            m_model->index(0, 0), m_source.multiple ? QItemSelectionModel::NoUpdate
                                                    : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void TSelListDlg::AllCheckClick(bool checked)
{
    if (!checked && !openList()) {
        ui->AllCheck->setChecked(true);
        return;
    }
    ui->Grid->setEnabled(!checked);
}

void TSelListDlg::GridDblClick()
{
    if (m_model && m_model->rowCount() > 0)
        accept();
}

QStringList TSelListDlg::selectedValues(int column) const
{
    QStringList values;
    if (!m_model)
        return values;
    QModelIndexList rows = ui->Grid->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows)
        values << m_model->index(index.row(), column).data().toString();
    return values;
}

QString TSelListDlg::currentValue(int column) const
{
    if (!m_model || !ui->Grid->currentIndex().isValid())
        return {};
    return m_model->index(ui->Grid->currentIndex().row(), column).data().toString();
}

QString TSelListDlg::result() const
{
    return m_source.resultText(isAll(), selectedValues(0), currentValue(0));
}
