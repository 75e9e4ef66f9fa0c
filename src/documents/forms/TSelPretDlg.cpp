#include "documents/forms/TSelPretDlg.h"

#include "app/AmountMasks.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

TSelPretDlg::TSelPretDlg(const QList<ExitPriceChoice::PriceRow> &rows, QWidget *parent)
    : QDialog(parent), m_rows(rows)
{
    setObjectName(QStringLiteral("TSelPretDlg"));
    setWindowTitle(caption());
    m_model = new QStandardItemModel(0, 4, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Pret"), QStringLiteral("Data folosinta"),
                                        QStringLiteral("Cantitate"), QStringLiteral("Denumire")});
    const NationalFormats &formats = NationalFormats::current();
    for (const ExitPriceChoice::PriceRow &r : std::as_const(m_rows)) {
        QList<QStandardItem *> row;
        for (const QString &text : {formatNumber(r.price, QStringLiteral("#,##0.00###")),
                                    r.lot.isValid() ? formats.formatLongDate(r.lot) : QString(),
                                    formatNumber(r.quantity, AmountMasks::quantity()), r.name}) {
            auto *item = new QStandardItem(text);
            item->setEditable(false);
            row << item;
        }
        for (int c : {0, 2})
            row.at(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow(row);
    }

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("PretGrid"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->resizeColumnsToContents();
    connect(m_grid, &QTableView::doubleClicked, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    selectRow(0);
    resize(560, 300);
}

void TSelPretDlg::selectRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

std::optional<ExitPriceChoice::PriceRow> TSelPretDlg::current() const
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows.at(row);
}

std::optional<ExitPriceChoice::PriceRow> TSelPretDlg::execute(const QList<ExitPriceChoice::PriceRow> &rows,
                                                              QWidget *parent)
{
    TSelPretDlg dialog(rows, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.current();
}
