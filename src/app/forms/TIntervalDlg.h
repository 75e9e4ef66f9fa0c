#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

class Messages;

namespace Ui {
class TIntervalDlg;
}

// "Setati intervalul dorit:" - asks for a period.
class TIntervalDlg : public QDialog
{
    Q_OBJECT
public:
    TIntervalDlg(Messages &messages, QWidget *parent = nullptr);
    ~TIntervalDlg() override;

    // Shows the dates; on "&Deschide" with a valid period writes both back and returns
    // true. "&Inchide" returns false and leaves them.
    static bool execute(QDate &start, QDate &end, Messages &messages, QWidget *parent = nullptr);

    void setDates(const QDate &start, const QDate &end);
    QDate startDate() const;
    QDate endDate() const;

public slots:
    // "&Deschide": refuses a start after the end and stays open.
    void OkBtnClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TIntervalDlg> ui;
    Messages &m_messages;
};
