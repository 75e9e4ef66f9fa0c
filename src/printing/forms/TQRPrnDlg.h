#pragma once

#include "printing/MarginRules.h"
#include "printing/PrintContext.h"

#include <QDialog>

#include <memory>

class Messages;
class QSpinBox;
namespace Ui {
class TQRPrnDlg;
}

// "Setari pentru listarea rapoarte": the user confirms printer, font, page range,
// copies, preview, orientation, paper and margins before a report prints.
class TQRPrnDlg : public QDialog
{
    Q_OBJECT

public:
    TQRPrnDlg(PrintContext &context, Messages &messages, QWidget *parent = nullptr);
    ~TQRPrnDlg() override;

    // The whole print-dialog operation: true when the user confirmed (the settings then
    // hold the choices), false when cancelled or when the printer gives no settings.
    static bool execute(QWidget *owner, PrintContext &context, Messages &messages);

    // The opening steps; false when the operation stops (printer without settings).
    bool prepare();

    static QString marginQuestion();

protected:
    void done(int result) override;
    // The printer set-up and font dialogs; tests replace them.
    virtual bool runPrinterSetup();
    virtual bool runFontDialog();

private:
    void AllRBClick();
    void PartialRBClick();
    void FirstPageChange(int value);
    void MarginChange(QSpinBox *changed);
    void OrientationClick(int orientation);
    void PrinterBtnClick();
    void FontBtnClick();
    void PrintBtnClick();
    void CancelBtnClick();

    void refreshLabels();
    void refreshMaxima();
    void refreshPicture();
    Margins fieldMargins() const;
    void showMargins(const Margins &m);
    void store();

    std::unique_ptr<Ui::TQRPrnDlg> ui;
    PrintContext &m_context;
    Messages &m_messages;
    QString m_fontName;
    int m_fontSize = 10;
    int m_fontPitch = 0;
    bool m_inMarginChange = false;
};
