#pragma once

#include <QDialog>

#include <memory>

class Database;
class Messages;
class NomenclatorModel;
class Parameters;
class QDataWidgetMapper;

namespace Ui {
class TFirmDataDlg;
}

// "Date de firma": the organisation record in use ("FirmNo"), edited and validated.
class TFirmDataDlg : public QDialog
{
    Q_OBJECT
public:
    TFirmDataDlg(Database &db, Parameters &parameters, Messages &messages, const QString &dataDirectory,
                 QWidget *parent = nullptr);
    ~TFirmDataDlg() override;

    // Runs the dialog; false when the table could not be opened.
    static bool execute(Database &db, Parameters &parameters, Messages &messages,
                        const QString &dataDirectory, QWidget *parent = nullptr);

    bool isOpen() const { return m_open; }
    // The `Cod` of the record shown.
    int currentNumber() const;
    void showRecord(int number);

    // "&Valideaza": saves the record and makes it the one in use; false when refused.
    bool ValideazaBtnClick();

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::TFirmDataDlg> ui;
    Database &m_db;
    Parameters &m_parameters;
    Messages &m_messages;
    QString m_dataDirectory;
    NomenclatorModel *m_model = nullptr;
    QDataWidgetMapper *m_mapper = nullptr;
    bool m_open = false;
};
