#pragma once

#include "documents/OutstandingOrders.h"

#include <QDialog>

#include <optional>

class Database;
class Messages;
class QStandardItemModel;
class QTableView;

// "Selectie comanda ": the outstanding order lines of a supplier, one to be chosen for
// the entry line that receives it.
class TSelComandaDlg : public QDialog
{
    Q_OBJECT
public:
    TSelComandaDlg(const QList<OutstandingOrders::Line> &lines, QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral("Selectie comanda "); }

    // Lists the supplier's outstanding lines; the one chosen, none when cancelled or on a
    // database error (shown).
    static std::optional<OutstandingOrders::Line> execute(Database &db, Messages &messages, const QString &supplier,
                                                          QWidget *parent = nullptr);

    int lineCount() const { return int(m_lines.size()); }
    void selectLine(int row);
    // The line the grid stands on; none when the list is empty.
    std::optional<OutstandingOrders::Line> current() const;

private:
    QList<OutstandingOrders::Line> m_lines;
    QStandardItemModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
};
