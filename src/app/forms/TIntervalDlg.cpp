#include "app/forms/TIntervalDlg.h"

#include "ui_TIntervalDlg.h"

#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/forms/DateField.h"

#include <QKeyEvent>

TIntervalDlg::TIntervalDlg(Messages &messages, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TIntervalDlg>()), m_messages(messages)
{
    ui->setupUi(this);
    ui->FromDate->setMessages(&m_messages);
    ui->ToDate->setMessages(&m_messages);
    ui->FromDate->installEventFilter(this);
    ui->ToDate->installEventFilter(this);
    connect(ui->OkBtn, &QPushButton::clicked, this, &TIntervalDlg::OkBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TIntervalDlg::~TIntervalDlg() = default;

bool TIntervalDlg::execute(QDate &start, QDate &end, Messages &messages, QWidget *parent)
{
    TIntervalDlg dialog(messages, parent);
    dialog.setDates(start, end);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    start = dialog.startDate();
    end = dialog.endDate();
    return true;
}

void TIntervalDlg::setDates(const QDate &start, const QDate &end)
{
    ui->FromDate->setDate(start);
    ui->ToDate->setDate(end);
}

QDate TIntervalDlg::startDate() const
{
    return ui->FromDate->date();
}

QDate TIntervalDlg::endDate() const
{
    return ui->ToDate->date();
}

void TIntervalDlg::OkBtnClick()
{
    // What is typed in a field counts, read as a date; a text that is not one stays to be mended.
    if (!ui->FromDate->commitText() || !ui->ToDate->commitText())
        return;
    const QDate start = startDate();
    const QDate end = endDate();
    if (start > end) {
        const NationalFormats &f = NationalFormats::current();
        m_messages.warning(QStringLiteral("Intervalul de timp nu este corect! ") + f.formatLongDate(end)
                           + QStringLiteral(" < ") + f.formatLongDate(start));
        ui->FromDate->setFocus();
        return;
    }
    accept();
}

bool TIntervalDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto *field = qobject_cast<DateField *>(watched); field && !field->commitText())
                return true;
            if (watched == ui->FromDate) {
                ui->ToDate->setFocus(Qt::TabFocusReason);
                ui->ToDate->selectAll();
                return true;
            }
            if (watched == ui->ToDate) {
                OkBtnClick();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
