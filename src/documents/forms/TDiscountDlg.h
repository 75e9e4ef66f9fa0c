#pragma once

#include <QDialog>

#include <optional>

class Messages;
class QLineEdit;

// "Discount": the percentage the sale prices of the document change by.
class TDiscountDlg : public QDialog
{
    Q_OBJECT
public:
    TDiscountDlg(double start, Messages &messages, QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral("Discount"); }

    // The percentage confirmed; none when cancelled.
    static std::optional<double> execute(double start, Messages &messages, QWidget *parent = nullptr);

    QLineEdit *edit() const { return m_edit; }
    std::optional<double> percent() const;

    void accept() override;

private:
    Messages &m_messages;
    QLineEdit *m_edit = nullptr;
};
