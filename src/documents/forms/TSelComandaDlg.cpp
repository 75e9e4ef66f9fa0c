#include "documents/forms/TSelComandaDlg.h"

#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/DbError.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

TSelComandaDlg::TSelComandaDlg(const QList<OutstandingOrders::Line> &lines, QWidget *parent)
    : QDialog(parent), m_lines(lines)
{
    setObjectName(QStringLiteral("TSelComandaDlg"));
    setWindowTitle(caption());
    m_model = new QStandardItemModel(0, 7, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Comanda"), QStringLiteral("Cod clasificare"),
                                        QStringLiteral("Nr. inventar"), QStringLiteral("Denumire"),
                                        QStringLiteral("Buget"), QStringLiteral("Cant. comandata"),
                                        QStringLiteral("Cant. anulata")});
    const NationalFormats &formats = NationalFormats::current();
    for (const OutstandingOrders::Line &l : std::as_const(m_lines)) {
        QList<QStandardItem *> row;
        for (const QString &text :
             {formatNumber(l.number, QString()) + QLatin1Char('/') + formats.formatDate(l.date), l.group, l.article,
              l.name, l.agent, formatNumber(l.requested, QString()), formatNumber(l.cancelled, QString())}) {
            auto *item = new QStandardItem(text);
            item->setEditable(false);
            row << item;
        }
        for (int c : {5, 6})
            row.at(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_model->appendRow(row);
    }

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("ComandaGrid"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->resizeColumnsToContents();
    connect(m_grid, &QTableView::doubleClicked, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setEnabled(!m_lines.isEmpty());
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);
    if (!m_lines.isEmpty())
        selectLine(0);
    resize(720, 360);
}

void TSelComandaDlg::selectLine(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

std::optional<OutstandingOrders::Line> TSelComandaDlg::current() const
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_lines.size())
        return std::nullopt;
    return m_lines.at(row);
}

std::optional<OutstandingOrders::Line> TSelComandaDlg::execute(Database &db, Messages &messages,
                                                               const QString &supplier, QWidget *parent)
{
    QList<OutstandingOrders::Line> lines;
    try {
        lines = OutstandingOrders(db).ofSupplier(supplier);
    } catch (const DbError &e) {
        messages.error(e.userText());
        return std::nullopt;
    }
    TSelComandaDlg dialog(lines, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.current();
}
