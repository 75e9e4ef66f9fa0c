#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Messages;
class NationalFormats;
class Parameters;
class QLineEdit;
class QSqlDatabase;
class QWidget;

namespace Ui {
class TDefaultDlg;
}

// "Optiuni": edits the application parameters. The zero tolerances, the numbers of
// decimals and the decimal separator act on the live parameters and formats at once
// (and stay so when the dialog is cancelled); everything is saved only on OK.
class TDefaultDlg : public QDialog
{
    Q_OBJECT

public:
    // Where the parameters are saved on OK.
    struct Files
    {
        QString dataDirectory;
        QString programIniPath;
    };

    TDefaultDlg(Parameters &parameters, NationalFormats &formats, Messages &messages,
                const Files &files, const QStringList &currencies, QWidget *parent = nullptr);
    ~TDefaultDlg() override;

    // "Parametri aplicatiei": shows the dialog modally over parent; true when the user
    // confirmed and the parameters were saved, false on "Renunta". The currency list
    // comes from db (none without an open database).
    static bool editParameters(Parameters &parameters, NationalFormats &formats, Messages &messages,
                               const QSqlDatabase &db, const Files &files, QWidget *parent = nullptr);

    void accept() override;

private:
    void fillControls();
    void copyControls(Parameters &target) const;
    void refreshEpsilons();
    void refreshDecimals();
    void refreshExample();
    void separatorChosen();
    void focusChanged(QWidget *old, QWidget *now);
    // False (after the warning, with the focus back in the edit) when the account is bad.
    bool checkAccount(QLineEdit *edit);

    std::unique_ptr<Ui::TDefaultDlg> ui;
    Parameters &m_parameters;
    NationalFormats &m_formats;
    Messages &m_messages;
    Files m_files;
    QList<QLineEdit *> m_accounts; // in the order OK checks them
    bool m_checking = false;
};
