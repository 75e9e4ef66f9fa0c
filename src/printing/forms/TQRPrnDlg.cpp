#include "printing/forms/TQRPrnDlg.h"

#include "ui_TQRPrnDlg.h"

#include "app/Messages.h"
#include "printing/PaperSizes.h"
#include "printing/ReportFonts.h"
#include "printing/forms/QPrinterDevice.h"

#include <QFontDialog>
#include <QFontInfo>
#include <QPainter>
#include <QPageSetupDialog>
#include <QPrintDialog>

TQRPrnDlg::TQRPrnDlg(PrintContext &context, Messages &messages, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TQRPrnDlg>()), m_context(context), m_messages(messages)
{
    ui->setupUi(this);
    connect(ui->AllRB, &QRadioButton::clicked, this, &TQRPrnDlg::AllRBClick);
    connect(ui->PartialRB, &QRadioButton::clicked, this, &TQRPrnDlg::PartialRBClick);
    connect(ui->FirstPageEdit, &QSpinBox::valueChanged, this, &TQRPrnDlg::FirstPageChange);
    for (QSpinBox *box : {ui->TopEdit, ui->BottomEdit, ui->LeftEdit, ui->RightEdit})
        connect(box, &QSpinBox::valueChanged, this, [this, box] { MarginChange(box); });
    connect(ui->PortraitRB, &QRadioButton::clicked, this,
            [this] { OrientationClick(PrintSettings::Portrait); });
    connect(ui->LandscapeRB, &QRadioButton::clicked, this,
            [this] { OrientationClick(PrintSettings::Landscape); });
    connect(ui->PrinterBtn, &QPushButton::clicked, this, &TQRPrnDlg::PrinterBtnClick);
    connect(ui->FontBtn, &QPushButton::clicked, this, &TQRPrnDlg::FontBtnClick);
    connect(ui->PrintBtn, &QPushButton::clicked, this, &TQRPrnDlg::PrintBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TQRPrnDlg::CancelBtnClick);
    ui->PrintBtn->setDefault(true);
}

TQRPrnDlg::~TQRPrnDlg() = default;

QString TQRPrnDlg::marginQuestion()
{
    return QStringLiteral("Cel putin o margine este prea mica pentru a intra în zona imprimabila!\n"
                          "Doriti ajustarea marginilor respective?");
}

bool TQRPrnDlg::execute(QWidget *owner, PrintContext &context, Messages &messages)
{
    TQRPrnDlg dlg(context, messages, owner);
    if (!dlg.prepare())
        return false;
    return dlg.exec() == QDialog::Accepted;
}

bool TQRPrnDlg::prepare()
{
    PrintSettings &s = m_context.settings();
    PrintDevice &device = m_context.device();
    ui->PreviewCB->setChecked(s.preview);

    m_fontName = s.fontName;
    m_fontSize = s.fontSize;
    m_fontPitch = s.fontPitch;
    if (m_fontName.isEmpty()) {
        if (!device.hasDeviceSettings())
            return false;
        m_fontName = ReportFonts::nearest17Cpi(device.deviceFonts(), device.metrics().dpiX);
        m_fontSize = 10;
        m_fontPitch = PrintSettings::FixedPitch;
    }
    refreshLabels();
    ui->PageControl->setCurrentIndex(0);

    device.setOrientation(s.orientation);
    (s.orientation == PrintSettings::Landscape ? ui->LandscapeRB : ui->PortraitRB)->setChecked(true);
    if (PaperSizes::isWritable(s.paperIndex))
        device.setPaperSize(PaperSizes::pageSizeId(s.paperIndex));

    const bool partial = !s.wholeReport();
    (partial ? ui->PartialRB : ui->AllRB)->setChecked(true);
    ui->FirstPageEdit->setValue(partial ? std::max(1, s.firstPage) : 1);
    ui->LastPageEdit->setMinimum(ui->FirstPageEdit->value());
    ui->LastPageEdit->setValue(partial ? std::max(s.lastPage, ui->FirstPageEdit->value()) : 1);
    ui->FirstPageEdit->setEnabled(partial);
    ui->LastPageEdit->setEnabled(partial);
    ui->CopiesEdit->setValue(std::clamp(s.copies, 1, 1000));

    refreshMaxima();
    showMargins(MarginRules::onOpening(s.margins, device.geometry()));
    refreshPicture();
    return true;
}

void TQRPrnDlg::refreshLabels()
{
    ui->FontLabel->setText(m_fontName + QStringLiteral("   ") + QString::number(m_fontSize));
    ui->PrinterLabel->setText(m_context.device().printerName());
}

void TQRPrnDlg::refreshMaxima()
{
    const PrinterGeometry g = m_context.device().geometry();
    const bool guard = m_inMarginChange;
    m_inMarginChange = true; // a lowered maximum must not start the opposite-margin rule
    ui->LeftEdit->setMaximum(g.pageWidth);
    ui->RightEdit->setMaximum(g.pageWidth);
    ui->TopEdit->setMaximum(g.pageHeight);
    ui->BottomEdit->setMaximum(g.pageHeight);
    m_inMarginChange = guard;
}

void TQRPrnDlg::refreshPicture()
{
    // The sheet in its orientation, with the margins drawn in.
    const PrinterGeometry g = m_context.device().geometry();
    const QSize box(110, 110);
    QPixmap pix(box);
    pix.fill(Qt::transparent);
    if (g.pageWidth > 0 && g.pageHeight > 0) {
        const double k = 100.0 / std::max(g.pageWidth, g.pageHeight);
        const QRectF sheet((box.width() - g.pageWidth * k) / 2, (box.height() - g.pageHeight * k) / 2,
                           g.pageWidth * k, g.pageHeight * k);
        QPainter p(&pix);
        p.fillRect(sheet.translated(3, 3), QColor(150, 150, 150));
        p.fillRect(sheet, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(sheet);
        const Margins m = fieldMargins();
        p.setPen(QPen(QColor(0, 90, 200), 1, Qt::DashLine));
        p.drawRect(sheet.adjusted(m.left * k, m.top * k, -m.right * k, -m.bottom * k));
    }
    ui->PagePicture->setPixmap(pix);
}

Margins TQRPrnDlg::fieldMargins() const
{
    return {ui->TopEdit->value(), ui->LeftEdit->value(), ui->BottomEdit->value(), ui->RightEdit->value()};
}

void TQRPrnDlg::showMargins(const Margins &m)
{
    m_inMarginChange = true;
    ui->TopEdit->setValue(m.top);
    ui->LeftEdit->setValue(m.left);
    ui->BottomEdit->setValue(m.bottom);
    ui->RightEdit->setValue(m.right);
    m_inMarginChange = false;
}

void TQRPrnDlg::AllRBClick()
{
    ui->FirstPageEdit->setEnabled(false);
    ui->LastPageEdit->setEnabled(false);
}

void TQRPrnDlg::PartialRBClick()
{
    ui->FirstPageEdit->setEnabled(true);
    ui->LastPageEdit->setEnabled(true);
    ui->FirstPageEdit->setFocus();
}

void TQRPrnDlg::FirstPageChange(int value)
{
    ui->LastPageEdit->setMinimum(value); // also raises the value when needed
}

void TQRPrnDlg::MarginChange(QSpinBox *changed)
{
    if (m_inMarginChange)
        return;
    m_inMarginChange = true;
    QSpinBox *opposite = changed == ui->TopEdit      ? ui->BottomEdit
                         : changed == ui->BottomEdit ? ui->TopEdit
                         : changed == ui->LeftEdit   ? ui->RightEdit
                                                     : ui->LeftEdit;
    changed->setValue(MarginRules::capAgainstOpposite(changed->value(), opposite->value(),
                                                      changed->maximum()));
    m_inMarginChange = false;
    refreshPicture();
}

void TQRPrnDlg::OrientationClick(int orientation)
{
    m_context.device().setOrientation(orientation);
    refreshMaxima();
    refreshPicture();
}

bool TQRPrnDlg::runPrinterSetup()
{
    auto *device = dynamic_cast<QPrinterDevice *>(&m_context.device());
    if (!device)
        return false;
    QPrintDialog dialog(&device->printer(), this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

bool TQRPrnDlg::runFontDialog()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, ReportFonts::resolve(m_fontName, m_fontSize, m_fontPitch),
                                            this, QStringLiteral("Font"));
    if (ok) {
        m_fontName = font.family().left(PrintSettings::MaxFontNameLength);
        m_fontSize = std::max(1, int(font.pointSizeF() + 0.5));
        m_fontPitch = QFontInfo(font).fixedPitch() ? PrintSettings::FixedPitch : PrintSettings::DefaultPitch;
    }
    return ok;
}

void TQRPrnDlg::PrinterBtnClick()
{
    PrintDevice &device = m_context.device();
    const int orientation = ui->LandscapeRB->isChecked() ? PrintSettings::Landscape : PrintSettings::Portrait;
    device.setOrientation(orientation);
    runPrinterSetup();
    refreshLabels();
    refreshMaxima();
    (device.orientation() == PrintSettings::Landscape ? ui->LandscapeRB : ui->PortraitRB)->setChecked(true);
    refreshPicture();
}

void TQRPrnDlg::FontBtnClick()
{
    if (runFontDialog())
        refreshLabels();
}

void TQRPrnDlg::PrintBtnClick()
{
    const PrinterGeometry g = m_context.device().geometry();
    Margins m = fieldMargins();
    if (MarginRules::allAtLeastMinimum(m, g) || !m_messages.yesNo(marginQuestion())) {
        store();
        accept();
        return;
    }
    const MarginRules::Field last = MarginRules::adjustToMinimum(m, g);
    showMargins(m);
    refreshPicture();
    ui->PageControl->setCurrentWidget(ui->PaginaTab);
    QSpinBox *focus = last == MarginRules::Field::Top      ? ui->TopEdit
                      : last == MarginRules::Field::Left   ? ui->LeftEdit
                      : last == MarginRules::Field::Bottom ? ui->BottomEdit
                                                           : ui->RightEdit;
    focus->setFocus();
}

void TQRPrnDlg::CancelBtnClick()
{
    reject();
}

void TQRPrnDlg::store()
{
    PrintSettings &s = m_context.settings();
    s.fontName = m_fontName.left(PrintSettings::MaxFontNameLength);
    s.fontSize = m_fontSize;
    s.fontPitch = m_fontPitch;
    s.preview = ui->PreviewCB->isChecked();
    s.copies = ui->CopiesEdit->value();
    if (ui->AllRB->isChecked()) {
        s.firstPage = 0;
        s.lastPage = 0;
    } else {
        s.firstPage = ui->FirstPageEdit->value();
        s.lastPage = ui->LastPageEdit->value();
    }
    s.paperIndex = PaperSizes::indexOf(m_context.device().paperSize());
    s.orientation = ui->LandscapeRB->isChecked() ? PrintSettings::Landscape : PrintSettings::Portrait;
    s.margins = fieldMargins();
    s.printerName = m_context.device().printerName();
}

void TQRPrnDlg::done(int result)
{
    if (result != QDialog::Accepted) // cancel: the printer goes back to the settings' orientation
        m_context.device().setOrientation(m_context.settings().orientation);
    QDialog::done(result);
}
