#pragma once

#include "documents/ExitPriceChoice.h"

#include <QDialog>

#include <optional>

class QStandardItemModel;
class QTableView;

// "Selectati un pret de achizitie": the stock rows of one article of a management unit
// (price, date of putting into use, quantity, name), one to be chosen for the exit line.
class TSelPretDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TSelPretDlg(const QList<ExitPriceChoice::PriceRow> &rows, QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral("Selectati un pret de achizitie"); }

    // The row chosen; none when cancelled.
    static std::optional<ExitPriceChoice::PriceRow> execute(const QList<ExitPriceChoice::PriceRow> &rows,
                                                           QWidget *parent = nullptr);

    int rowCount() const { return int(m_rows.size()); }
    void selectRow(int row);
    std::optional<ExitPriceChoice::PriceRow> current() const;

private:
    QList<ExitPriceChoice::PriceRow> m_rows;
    QStandardItemModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
};
