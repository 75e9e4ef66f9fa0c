#include "app/forms/TDefaultDlg.h"

#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/ParametersError.h"

#include "ui_TDefaultDlg.h"

#include <QApplication>
#include <QSqlDatabase>

#include <cmath>

namespace {

constexpr int FirstHiddenPage = 3;
// A hidden account that the file brought in invalid must be correctable, or OK could
// never succeed: its page is shown under this caption.
const char *const HiddenAccountsCaption = "Alte conturi";

} // namespace

TDefaultDlg::TDefaultDlg(Parameters &parameters, NationalFormats &formats, Messages &messages,
                         const Files &files, const QStringList &currencies, QWidget *parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TDefaultDlg>()),
      m_parameters(parameters),
      m_formats(formats),
      m_messages(messages),
      m_files(files)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // The pages of features this system does not offer keep their values but never show.
    for (int page = FirstHiddenPage; page < ui->PageControl1->count(); ++page) {
        ui->PageControl1->setTabVisible(page, false);
        for (QWidget *control : ui->PageControl1->widget(page)->findChildren<QWidget *>())
            control->setVisible(false);
    }
    ui->PageControl1->setCurrentWidget(ui->TabCalcul);

    m_accounts = {ui->EditCFurn, ui->EditCCln, ui->EditCMf, ui->EditCCh, ui->EditCTVA_I, ui->EditCTVA_E};
    for (QLineEdit *edit : {ui->EditCVen, ui->EditCAd, ui->EditCAcc, ui->EditCFurn, ui->EditCCln, ui->EditCMf,
                            ui->EditCCh, ui->EditCTVA_I, ui->EditCTVA_E})
        edit->setMaxLength(Parameters::AccountLength);
    ui->ComboCVal->addItems(currencies);
    ui->ComboCVal->lineEdit()->setMaxLength(Parameters::CurrencyLength);

    fillControls();

    connect(ui->SpinEpsilonDown, &QToolButton::clicked, this, [this] {
        m_parameters.epsilon = Parameters::stepDown(m_parameters.epsilon, Parameters::EpsilonMin);
        refreshEpsilons();
    });
    connect(ui->SpinEpsilonUp, &QToolButton::clicked, this, [this] {
        m_parameters.epsilon = Parameters::stepUp(m_parameters.epsilon, Parameters::EpsilonMax);
        refreshEpsilons();
    });
    connect(ui->SpinEpsilon1Down, &QToolButton::clicked, this, [this] {
        m_parameters.epsilon1 = Parameters::stepDown(m_parameters.epsilon1, Parameters::Epsilon1Min);
        refreshEpsilons();
    });
    connect(ui->SpinEpsilon1Up, &QToolButton::clicked, this, [this] {
        m_parameters.epsilon1 = Parameters::stepUp(m_parameters.epsilon1, Parameters::Epsilon1Max);
        refreshEpsilons();
    });
    connect(ui->UpDownZecLeiUp, &QToolButton::clicked, this, [this] {
        m_parameters.nrZecimaleLei = Parameters::stepDecimals(m_parameters.nrZecimaleLei, 1);
        refreshDecimals();
    });
    connect(ui->UpDownZecLeiDown, &QToolButton::clicked, this, [this] {
        m_parameters.nrZecimaleLei = Parameters::stepDecimals(m_parameters.nrZecimaleLei, -1);
        refreshDecimals();
    });
    connect(ui->UpDownZecValutaUp, &QToolButton::clicked, this, [this] {
        m_parameters.nrZecimaleValuta = Parameters::stepDecimals(m_parameters.nrZecimaleValuta, 1);
        refreshDecimals();
    });
    connect(ui->UpDownZecValutaDown, &QToolButton::clicked, this, [this] {
        m_parameters.nrZecimaleValuta = Parameters::stepDecimals(m_parameters.nrZecimaleValuta, -1);
        refreshDecimals();
    });
    connect(ui->RadioVirgula, &QRadioButton::toggled, this, [this] { separatorChosen(); });
    connect(ui->OkBtn, &QPushButton::clicked, this, &TDefaultDlg::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TDefaultDlg::reject);
    connect(qApp, &QApplication::focusChanged, this, &TDefaultDlg::focusChanged);
}

TDefaultDlg::~TDefaultDlg() = default;

bool TDefaultDlg::editParameters(Parameters &parameters, NationalFormats &formats, Messages &messages,
                                 const QSqlDatabase &db, const Files &files, QWidget *parent)
{
    // Show what the workstation's file holds now, even if it was edited meanwhile.
    parameters.loadProgramOptions(files.programIniPath);
    TDefaultDlg dialog(parameters, formats, messages, files, Parameters::currencyCodes(db), parent);
    return dialog.exec() == QDialog::Accepted;
}

void TDefaultDlg::fillControls()
{
    const Parameters &p = m_parameters;
    ui->EditCFurn->setText(p.cFurn);
    ui->EditCMf->setText(p.cMf);
    ui->EditCTVA_I->setText(p.cTvaI);
    ui->EditCCh->setText(p.cCh);
    ui->EditCCln->setText(p.cCln);
    ui->EditCTVA_E->setText(p.cTvaE);
    ui->EditCVen->setText(p.cVen);
    ui->EditCAd->setText(p.cAd);
    ui->EditCAcc->setText(p.cAcc);
    ui->ComboCVal->setCurrentText(p.cVal);

    ui->CheckRoundTVA->setChecked(p.roundTva);
    ui->CheckCalcTVA->setChecked(p.calcTva);
    ui->CheckGenCod->setChecked(p.genCod);
    ui->CheckPretFaraTva->setChecked(p.pretFaraTva);
    ui->CheckCalcAmStart->setChecked(p.calcAmStart);
    ui->CheckVersion->setChecked(p.checkForNewVersion);
    ui->CheckBackup->setChecked(p.backupDaily);
    if (m_formats.decimalSeparator() == QLatin1Char(','))
        ui->RadioVirgula->setChecked(true);
    else
        ui->RadioPunct->setChecked(true);

    ui->SpinCfTVA->setValue(int(std::lround(p.cfTva)));
    ui->SpinTVAZero->setValue(int(std::lround(p.tvaZero)));
    ui->SpinTVAMed->setValue(int(std::lround(p.tvaMed)));
    ui->SpinTVAStd->setValue(int(std::lround(p.tvaStd)));

    ui->CheckLot->setChecked(p.lot);
    ui->CheckCom->setChecked(p.com);
    ui->CheckSerii->setChecked(p.serii);
    ui->CheckCodBare->setChecked(p.codBare);
    ui->CheckAtention->setChecked(p.atention);
    (p.sellPrice == Parameters::SellPrice::Calc ? ui->RadioCalc : ui->RadioFetch)->setChecked(true);
    (p.grilaCalculDisc ? ui->RadioGrila : ui->RadioSameDiscount)->setChecked(true);

    refreshEpsilons();
    refreshDecimals();
    refreshExample();
}

void TDefaultDlg::copyControls(Parameters &p) const
{
    p.cFurn = ui->EditCFurn->text();
    p.cMf = ui->EditCMf->text();
    p.cTvaI = ui->EditCTVA_I->text();
    p.cCh = ui->EditCCh->text();
    p.cCln = ui->EditCCln->text();
    p.cTvaE = ui->EditCTVA_E->text();
    p.cVen = ui->EditCVen->text();
    p.cAd = ui->EditCAd->text();
    p.cAcc = ui->EditCAcc->text();
    p.cVal = ui->ComboCVal->currentText();

    p.roundTva = ui->CheckRoundTVA->isChecked();
    p.calcTva = ui->CheckCalcTVA->isChecked();
    p.genCod = ui->CheckGenCod->isChecked();
    p.pretFaraTva = ui->CheckPretFaraTva->isChecked();
    p.calcAmStart = ui->CheckCalcAmStart->isChecked();
    p.checkForNewVersion = ui->CheckVersion->isChecked();
    p.backupDaily = ui->CheckBackup->isChecked();

    p.cfTva = ui->SpinCfTVA->value();
    p.tvaZero = ui->SpinTVAZero->value();
    p.tvaMed = ui->SpinTVAMed->value();
    p.tvaStd = ui->SpinTVAStd->value();

    p.lot = ui->CheckLot->isChecked();
    p.com = ui->CheckCom->isChecked();
    p.serii = ui->CheckSerii->isChecked();
    p.codBare = ui->CheckCodBare->isChecked();
    p.atention = ui->CheckAtention->isChecked();
    p.sellPrice = ui->RadioCalc->isChecked() ? Parameters::SellPrice::Calc : Parameters::SellPrice::Fetch;
    p.grilaCalculDisc = ui->RadioGrila->isChecked();
}

void TDefaultDlg::refreshEpsilons()
{
    ui->LabelEpsilon->setText(formatNumber(m_parameters.epsilon, Parameters::epsilonPattern(), m_formats));
    ui->LabelEpsilon1->setText(formatNumber(m_parameters.epsilon1, Parameters::epsilonPattern(), m_formats));
}

void TDefaultDlg::refreshDecimals()
{
    ui->EditZecLei->setText(QString::number(m_parameters.nrZecimaleLei));
    ui->EditZecValuta->setText(QString::number(m_parameters.nrZecimaleValuta));
}

void TDefaultDlg::refreshExample()
{
    ui->LabelExample->setText(Parameters::separatorExample(m_formats));
}

void TDefaultDlg::separatorChosen()
{
    m_formats.setSeparators(ui->RadioVirgula->isChecked() ? QLatin1Char(',') : QLatin1Char('.'));
    refreshExample();
    refreshEpsilons();
}

void TDefaultDlg::focusChanged(QWidget *old, QWidget *now)
{
    // Leaving an account edit checks it, unless the user is on the way to "Renunta" or
    // to another window (a message box among them).
    auto *edit = qobject_cast<QLineEdit *>(old);
    if (m_checking || !isVisible() || !edit || !m_accounts.contains(edit))
        return;
    if (!now || now == ui->CancelBtn || !isAncestorOf(now))
        return;
    checkAccount(edit);
}

bool TDefaultDlg::checkAccount(QLineEdit *edit)
{
    if (Parameters::validAccount(edit->text()))
        return true;
    m_checking = true;
    m_messages.warning(Parameters::accountWarning());
    for (int page = 0; page < ui->PageControl1->count(); ++page) {
        QWidget *pageWidget = ui->PageControl1->widget(page);
        if (!pageWidget->isAncestorOf(edit))
            continue;
        if (!ui->PageControl1->isTabVisible(page)) {
            ui->PageControl1->setTabText(page, QString::fromLatin1(HiddenAccountsCaption));
            ui->PageControl1->setTabVisible(page, true);
            for (QWidget *control : pageWidget->findChildren<QWidget *>())
                control->setVisible(true);
        }
        ui->PageControl1->setCurrentIndex(page);
        break;
    }
    edit->setFocus();
    edit->selectAll();
    m_checking = false;
    return false;
}

void TDefaultDlg::accept()
{
    for (QLineEdit *edit : std::as_const(m_accounts)) {
        if (!checkAccount(edit))
            return;
    }
    Parameters confirmed = m_parameters;
    copyControls(confirmed);
    confirmed.normalize();
    try {
        confirmed.save(m_files.dataDirectory, m_files.programIniPath, m_formats);
    } catch (const ParametersError &error) {
        m_messages.error(error.message());
        return;
    }
    m_parameters = confirmed;
    QDialog::accept();
}
