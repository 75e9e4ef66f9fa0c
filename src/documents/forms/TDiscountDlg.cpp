#include "documents/forms/TDiscountDlg.h"

#include "app/AmountParsing.h"
#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/forms/KeypadDecimal.h"
#include "documents/ExitDocumentService.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDiscountDlg::TDiscountDlg(double start, Messages &messages, QWidget *parent) : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("TDiscountDlg"));
    setWindowTitle(caption());
    auto *text = new QLabel(ExitDocumentService::discountQuestionText(), this);
    text->setWordWrap(true);
    m_edit = new QLineEdit(formatNumber(start, QString()), this);
    m_edit->setObjectName(QStringLiteral("DiscountEdit"));
    m_edit->selectAll();
    KeypadDecimal::install(m_edit);
    text->setBuddy(m_edit);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    resize(380, 140);
}

std::optional<double> TDiscountDlg::percent() const
{
    return parseAmount(m_edit->text());
}

void TDiscountDlg::accept()
{
    // A text that is not a number keeps the dialog open for correction.
    if (!percent()) {
        m_messages.warning(notAnAmountText(m_edit->text()));
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}

std::optional<double> TDiscountDlg::execute(double start, Messages &messages, QWidget *parent)
{
    TDiscountDlg dialog(start, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.percent();
}
