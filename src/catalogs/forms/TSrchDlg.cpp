#include "catalogs/forms/TSrchDlg.h"

#include "ui_TSrchDlg.h"

#include "app/Messages.h"
#include "app/NumberFormat.h"

#include <QApplication>

TSrchDlg::TSrchDlg(const SearchCriteria &criteria, bool serialsOn, Messages &messages,
                   const NationalFormats &formats, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TSrchDlg>()), m_criteria(criteria), m_messages(messages),
      m_formats(formats)
{
    ui->setupUi(this);
    ui->DocEdit->setText(SearchCriteria::documentNumberText(criteria.documentNumber, formats));
    ui->ArtEdit->setText(criteria.article);
    ui->ExplEdit->setText(criteria.explanation);
    ui->PriceEdit->setText(SearchCriteria::priceText(criteria.price, formats));
    ui->SerialEdit->setText(SearchCriteria::serialText(criteria.serialNumber, formats));
    const bool serials = criteria.allowSerial && serialsOn;
    ui->SerialRadio->setVisible(serials);

    for (int kind = SearchCriteria::DocumentNumber; kind <= SearchCriteria::SerialNumber; ++kind)
        connect(radio(kind), &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                choose(kind);
        });
    connect(ui->DocEdit, &QLineEdit::textEdited, this, &TSrchDlg::numberEdited);
    connect(ui->PriceEdit, &QLineEdit::textEdited, this, &TSrchDlg::numberEdited);
    connect(ui->StartBtn, &QPushButton::clicked, this, [this] {
        if (StartBtnClick())
            accept();
    });
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    int kind = criteria.kind;
    if (kind < SearchCriteria::DocumentNumber || kind > SearchCriteria::SerialNumber
        || (kind == SearchCriteria::SerialNumber && !serials))
        kind = SearchCriteria::DocumentNumber;
    choose(kind);
}

TSrchDlg::~TSrchDlg() = default;

QRadioButton *TSrchDlg::radio(int kind) const
{
    switch (kind) {
    case SearchCriteria::Article: return ui->ArtRadio;
    case SearchCriteria::Explanation: return ui->ExplRadio;
    case SearchCriteria::Price: return ui->PriceRadio;
    case SearchCriteria::SerialNumber: return ui->SerialRadio;
    default: return ui->DocRadio;
    }
}

QLineEdit *TSrchDlg::edit(int kind) const
{
    switch (kind) {
    case SearchCriteria::Article: return ui->ArtEdit;
    case SearchCriteria::Explanation: return ui->ExplEdit;
    case SearchCriteria::Price: return ui->PriceEdit;
    case SearchCriteria::SerialNumber: return ui->SerialEdit;
    default: return ui->DocEdit;
    }
}

int TSrchDlg::chosenKind() const
{
    for (int kind = SearchCriteria::DocumentNumber; kind <= SearchCriteria::SerialNumber; ++kind)
        if (radio(kind)->isChecked())
            return kind;
    return SearchCriteria::DocumentNumber;
}

void TSrchDlg::choose(int kind)
{
    radio(kind)->setChecked(true);
    // Only the edit of the chosen search shows.
    for (int k = SearchCriteria::DocumentNumber; k <= SearchCriteria::SerialNumber; ++k)
        edit(k)->setVisible(k == kind);
    edit(kind)->setFocus();
}

void TSrchDlg::numberEdited(const QString &text)
{
    bool ok = false;
    parseNumber(text, &ok, m_formats);
    if (!ok)
        QApplication::beep();
}

bool TSrchDlg::StartBtnClick()
{
    const int kind = chosenKind();
    QLineEdit *field = edit(kind);
    if (!m_criteria.accept(kind, field->text(), m_formats)) {
        m_messages.warning(SearchCriteria::badNumberMessage());
        field->selectAll();
        field->setFocus();
        return false;
    }
    return true;
}

bool TSrchDlg::execute(SearchCriteria &criteria, bool serialsOn, Messages &messages,
                       const NationalFormats &formats, QWidget *parent)
{
    TSrchDlg dialog(criteria, serialsOn, messages, formats, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    criteria = dialog.criteria();
    return true;
}
