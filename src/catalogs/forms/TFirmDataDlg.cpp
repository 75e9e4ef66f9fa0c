#include "catalogs/forms/TFirmDataDlg.h"

#include "ui_TFirmDataDlg.h"

#include "app/Messages.h"
#include "app/Parameters.h"
#include "catalogs/FirmData.h"
#include "catalogs/NomenclatorModel.h"

#include <QDataWidgetMapper>
#include <QIntValidator>
#include <QSqlError>

TFirmDataDlg::TFirmDataDlg(Database &db, Parameters &parameters, Messages &messages,
                           const QString &dataDirectory, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFirmDataDlg>()), m_db(db), m_parameters(parameters),
      m_messages(messages), m_dataDirectory(dataDirectory)
{
    ui->setupUi(this);
    setProperty("HelpContext", 60);
    ui->CodEdit->setValidator(new QIntValidator(0, 32767, ui->CodEdit));

    m_model = new NomenclatorModel(m_db, m_messages, this);
    m_model->setTableName(QStringLiteral("Firmdata.DB"));
    m_model->setOrder({QStringLiteral("Cod")}, false);
    if (!m_model->open()) {
        const QSqlError error = m_model->lastError();
        m_messages.error(QStringLiteral("Eroare de acces la tabela de firme!\n%1!")
                             .arg(error.databaseText().isEmpty() ? error.text() : error.databaseText()));
        return;
    }
    m_open = true;

    m_mapper = new QDataWidgetMapper(this);
    m_mapper->setModel(m_model);
    m_mapper->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    const std::pair<QLineEdit *, const char *> fields[] = {
        {ui->CodEdit, "Cod"},     {ui->DenumireEdit, "Denumire"},    {ui->AdresaEdit, "Adresa"},
        {ui->JudetEdit, "Judet"}, {ui->CodFiscalEdit, "Cod fiscal"}, {ui->OrcEdit, "ORC"},
        {ui->BancaEdit, "Banca"}, {ui->ContEdit, "Cont"},
    };
    for (const auto &[edit, field] : fields)
        m_mapper->addMapping(edit, m_model->fieldIndex(QString::fromUtf8(field)));

    connect(ui->ValideazaBtn, &QPushButton::clicked, this, [this] {
        if (ValideazaBtnClick())
            accept();
    });
    showRecord(m_parameters.firmNo);
}

TFirmDataDlg::~TFirmDataDlg() = default;

void TFirmDataDlg::showRecord(int number)
{
    int row = m_model->findRow({{QStringLiteral("Cod"), number}});
    if (row < 0 && m_model->rowCount() > 0)
        row = 0;
    if (row < 0) {
        // An empty table: the dialog starts the first record.
        m_model->setDefault(QStringLiteral("Cod"), qMax(1, number));
        row = m_model->appendRow();
    }
    m_mapper->setCurrentIndex(row);
}

int TFirmDataDlg::currentNumber() const
{
    return ui->CodEdit->text().toInt();
}

bool TFirmDataDlg::ValideazaBtnClick()
{
    if (!m_open)
        return false;
    if (ui->CodEdit->text().trimmed().isEmpty()) {
        m_messages.warning(FirmData::missingNumberMessage());
        ui->CodEdit->setFocus();
        return false;
    }
    const int row = m_mapper->currentIndex();
    m_mapper->submit();
    const QString refusal = FirmData::checkRecord(m_model->record(row));
    if (!refusal.isEmpty()) {
        m_messages.warning(refusal);
        ui->CodEdit->setFocus();
        return false;
    }
    const int number = m_model->record(row).value(QStringLiteral("Cod")).toInt();
    if (!m_model->post()) {
        m_mapper->setCurrentIndex(row);
        return false;
    }
    if (!FirmData::useRecord(number, m_parameters, m_dataDirectory)) {
        m_messages.error(QStringLiteral("Nu pot scrie fisierul %1!").arg(Parameters::filePath(m_dataDirectory)));
        return false;
    }
    return true;
}

void TFirmDataDlg::reject()
{
    if (m_open)
        m_model->revertAll();
    QDialog::reject();
}

bool TFirmDataDlg::execute(Database &db, Parameters &parameters, Messages &messages,
                           const QString &dataDirectory, QWidget *parent)
{
    TFirmDataDlg dialog(db, parameters, messages, dataDirectory, parent);
    if (!dialog.isOpen())
        return false;
    dialog.exec();
    return true;
}
