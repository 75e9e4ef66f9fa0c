#include "printing/forms/TPrintOptionsDlg.h"

#include "ui_TPrintOptionsDlg.h"

#include "app/Messages.h"
#include "app/Parameters.h"

TPrintOptionsDlg::TPrintOptionsDlg(const QString &dataDirectory, Parameters &parameters, Messages &messages,
                                   ExitPrintOptions &options, const QString &documentType, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TPrintOptionsDlg>()), m_parameters(parameters),
      m_messages(messages), m_options(options), m_files(dataDirectory)
{
    ui->setupUi(this);
    connect(ui->MovementNoteCB, &QCheckBox::toggled, this, &TPrintOptionsDlg::MovementNoteCBClick);
    connect(ui->ListBtn, &QPushButton::clicked, this, &TPrintOptionsDlg::ListBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    ui->ListBtn->setDefault(true);

    m_files.load();
    ui->CommentMemo->setPlainText(m_files.closingText());
    ui->CodeCB->setChecked(m_parameters.codProdusPeFact);
    ui->DescriptionCB->setChecked(m_options.description);
    ui->ExplanationCB->setChecked(m_options.explanation);
    ui->CommentLabel->setVisible(false);
    preselect(documentType);
    ui->PageControl->setCurrentIndex(0);
}

TPrintOptionsDlg::~TPrintOptionsDlg() = default;

bool TPrintOptionsDlg::execute(QWidget *owner, const QString &dataDirectory, Parameters &parameters,
                               Messages &messages, const QString &documentType, ExitPrintOptions &options)
{
    TPrintOptionsDlg dlg(dataDirectory, parameters, messages, options, documentType, owner);
    return dlg.exec() == QDialog::Accepted;
}

void TPrintOptionsDlg::preselect(const QString &documentType)
{
    const QString type = documentType.trimmed().toUpper();
    if (type == QLatin1String("CSR")) {
        ui->CasareCB->setChecked(true);
        ui->CommentLabel->setVisible(true);
        ui->CommentCB->setVisible(true);
        ui->CommentCB->setEnabled(true);
        ui->CommentCB->setChecked(true);
    } else if (type == QLatin1String("NPR") || type == QLatin1String("BT")) {
        ui->MovementNoteCB->setChecked(true);
        ui->CommentLabel->setVisible(false);
    } else if (type == QLatin1String("FCT")) {
        if (m_options.comment) {
            ui->CommentCB->setChecked(true);
            ui->CommentLabel->setVisible(true);
        }
    }
}

void TPrintOptionsDlg::MovementNoteCBClick(bool checked)
{
    // The closing text belongs to the scrapping list: the movement note has none. The
    // box comes back when the movement note is unchecked, for a list printed alone.
    ui->CommentCB->setEnabled(!checked);
    if (checked)
        ui->CommentLabel->setVisible(false);
}

void TPrintOptionsDlg::ListBtnClick()
{
    m_options.movementNote = ui->MovementNoteCB->isChecked();
    m_options.scrappingList = ui->CasareCB->isChecked();
    m_options.comment = ui->CommentCB->isChecked();
    m_options.description = ui->DescriptionCB->isChecked();
    m_options.explanation = ui->ExplanationCB->isChecked();
    m_options.closingText = ui->CommentMemo->toPlainText();
    // A file that cannot be written is said, and the printing still goes on with the
    // choices made here.
    for (const QString &failure : m_files.save(ui->CodeCB->isChecked(), m_options.closingText, m_parameters))
        m_messages.warning(failure);
    accept();
}
