#pragma once

#include "printing/ExitPrintFiles.h"
#include "printing/ExitPrintOptions.h"

#include <QDialog>

#include <memory>

class Messages;
class Parameters;
namespace Ui {
class TPrintOptionsDlg;
}

// "Listeaza...": which printouts of an exit document go out (the movement note, the
// list of scrapped assets) and how, with the closing text of the printouts edited in
// its memo. The boxes start from the document's type; confirming writes the options
// back into the caller's object and the data-directory files; cancelling changes nothing.
class TPrintOptionsDlg : public QDialog
{
    Q_OBJECT

public:
    TPrintOptionsDlg(const QString &dataDirectory, Parameters &parameters, Messages &messages,
                     ExitPrintOptions &options, const QString &documentType, QWidget *parent = nullptr);
    ~TPrintOptionsDlg() override;

    // The whole dialog: true when "Listeaza" confirmed it (options then hold the choices).
    static bool execute(QWidget *owner, const QString &dataDirectory, Parameters &parameters, Messages &messages,
                        const QString &documentType, ExitPrintOptions &options);

private:
    void preselect(const QString &documentType);
    void MovementNoteCBClick(bool checked);
    void ListBtnClick();

    std::unique_ptr<Ui::TPrintOptionsDlg> ui;
    Parameters &m_parameters;
    Messages &m_messages;
    ExitPrintOptions &m_options;
    ExitPrintFiles m_files;
};
