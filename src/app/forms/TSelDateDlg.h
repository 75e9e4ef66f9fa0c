#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

class Messages;

namespace Ui {
class TSelDateDlg;
}

// "Selectie" - asks for one date.
class TSelDateDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TSelDateDlg(QWidget *parent = nullptr);
    ~TSelDateDlg() override;

    // On "&Deschide" writes the chosen date back and returns true; "&Inchide" returns false.
    static bool execute(QDate &date, QWidget *parent = nullptr);

    void setDate(const QDate &date);
    QDate date() const;

private:
    std::unique_ptr<Ui::TSelDateDlg> ui;
    std::unique_ptr<Messages> m_messages;
};
