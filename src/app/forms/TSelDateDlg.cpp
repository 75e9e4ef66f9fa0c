#include "app/forms/TSelDateDlg.h"

#include "ui_TSelDateDlg.h"

#include "app/forms/BoxMessages.h"
#include "app/forms/DateField.h"

TSelDateDlg::TSelDateDlg(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TSelDateDlg>())
{
    ui->setupUi(this);
    // The date dialog is asked for without a message channel: its warning is a box.
    m_messages = std::make_unique<BoxMessages>(this);
    ui->DateEdit->setMessages(m_messages.get());
    connect(ui->OkBtn, &QPushButton::clicked, this, [this] {
        if (ui->DateEdit->commitText())
            accept();
    });
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TSelDateDlg::~TSelDateDlg() = default;

bool TSelDateDlg::execute(QDate &date, QWidget *parent)
{
    TSelDateDlg dialog(parent);
    dialog.setDate(date);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    date = dialog.date();
    return true;
}

void TSelDateDlg::setDate(const QDate &date)
{
    ui->DateEdit->setDate(date);
}

QDate TSelDateDlg::date() const
{
    return ui->DateEdit->date();
}
