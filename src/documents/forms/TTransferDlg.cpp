#include "documents/forms/TTransferDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TTransferDlg::TTransferDlg(const QList<ManagementUnits::Unit> &units, QWidget *parent)
    : QDialog(parent), m_units(units)
{
    setObjectName(QStringLiteral("TTransferDlg"));
    setWindowTitle(caption());
    auto *operations = new QLabel(QStringLiteral("Operatiuni in cadrul transferului :"), this);
    QFont bold = operations->font();
    bold.setBold(true);
    operations->setFont(bold);
    auto *type = new QLabel(QStringLiteral("tipul documentului devine BT (Bon de transfer)"), this);
    type->setIndent(16);
    auto *choose = new QLabel(QStringLiteral("Selectati gestiunea catre care se efectueaza transferul:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("GestList"));
    for (const ManagementUnits::Unit &unit : std::as_const(m_units)) {
        auto *item = new QListWidgetItem(unit.name.isEmpty() ? unit.code : unit.name, m_list);
        item->setData(Qt::UserRole, unit.code);
    }
    choose->setBuddy(m_list);
    // No unit is current until one is chosen (the list would take its first on focus),
    // so that Enter never transfers into a unit nobody picked.
    m_list->QAbstractItemView::setCurrentIndex(QModelIndex());
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OkBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    // Nothing to transfer into until a unit is chosen.
    ok->setEnabled(false);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [ok](QListWidgetItem *current) { ok->setEnabled(current != nullptr); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(operations);
    layout->addWidget(type);
    layout->addSpacing(8);
    layout->addWidget(choose);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(420, 340);
}

QString TTransferDlg::receivingUnit() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void TTransferDlg::selectUnit(const QString &code)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(Qt::UserRole).toString() == code) {
            m_list->setCurrentRow(i);
            return;
        }
    }
}

QString TTransferDlg::execute(const QList<ManagementUnits::Unit> &units, const QString &preselected, QWidget *parent)
{
    TTransferDlg dialog(units, parent);
    dialog.selectUnit(preselected);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.receivingUnit();
}
