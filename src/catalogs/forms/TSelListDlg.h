#pragma once

#include "catalogs/SelectionSource.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class Database;
class Messages;
class QCheckBox;
class QSqlQueryModel;
class QTableView;

namespace Ui {
class TSelListDlg;
}

// The shared design of the report selection dialogs: "all" checked at start, the list
// opened when it is unchecked, one or several rows chosen. Results are lists of codes.
class TSelListDlg : public QDialog
{
    Q_OBJECT
public:
    ~TSelListDlg() override;

    QCheckBox *allCheck() const;
    QTableView *grid() const;
    bool isAll() const;
    // Opens the list when it is not open yet; false after an engine error (shown).
    bool openList();
    // The values of `column` in the selected rows, in grid order.
    QStringList selectedValues(int column) const;
    QString currentValue(int column) const;
    // The result text of the dialog as it stands.
    QString result() const;

protected:
    TSelListDlg(const SelectionSource &source, Database &db, Messages &messages, QWidget *parent);

    const SelectionSource &source() const { return m_source; }

private:
    void AllCheckClick(bool checked);
    void GridDblClick();

    std::unique_ptr<Ui::TSelListDlg> ui;
    SelectionSource m_source;
    Database &m_db;
    Messages &m_messages;
    QSqlQueryModel *m_model = nullptr;
};
