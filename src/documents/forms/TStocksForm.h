#pragma once

#include "app/Refreshable.h"
#include "db/PagedQueryModel.h"
#include "documents/CurrentStockQuery.h"

#include <QDialog>
#include <QString>

class Database;
class Messages;
class NewStockRowsModel;
class Parameters;
class PrintContext;
class Workstation;
class QComboBox;
class QConcatenateTablesProxyModel;
class QLineEdit;
class QPushButton;
class QTableView;
class QLabel;

// What the stock picker exchanges with its caller: the unit, group, inventory number
// and value it positions on; the chosen row's values on return.
struct StockPick
{
    QString unit;
    QString group;
    QString article;
    double price = -1; // -1: any value
    double quantity = 0;
    QString lot;       // the date of putting into use as text
    QString agent;
};

// "Stocuri curente": the stock of one management unit, detailed per stock row or summed
// per inventory number; also the modal picker "Selectie articol din stoc". Given the
// parameters, "&Editeaza" lets the user type new stock rows under the existing ones,
// which stay read-only; they are written as initial-stock lines when editing ends.
class TStocksForm : public QDialog, public Refreshable
{
    Q_OBJECT
public:
    enum class Mode { Window, Picker };

    TStocksForm(Database &db, Messages &messages, const Workstation &workstation, Mode mode = Mode::Window,
                QWidget *parent = nullptr);
    // The window with "&Editeaza" available.
    TStocksForm(Database &db, Messages &messages, const Workstation &workstation, const Parameters &parameters,
                QWidget *parent = nullptr);
    ~TStocksForm() override;

    static TStocksForm *create(Database &db, Messages &messages, const Workstation &workstation,
                               QWidget *parent = nullptr);
    static TStocksForm *create(Database &db, Messages &messages, const Workstation &workstation,
                               const Parameters &parameters, QWidget *parent = nullptr);
    // The picker; true and `pick` filled with the chosen row unless the user cancels.
    static bool pickFromStock(QWidget *owner, Database &db, Messages &messages, const Workstation &workstation,
                              StockPick &pick);

    static QString caption() { return QStringLiteral("Stocuri curente"); }
    static QString pickerCaption() { return QStringLiteral("Selectie articol din stoc"); }
    // The registry value of the chosen order.
    static QString sortKey() { return QStringLiteral("SortBy"); }

    void setUnit(const QString &unit);
    QString unit() const;
    void setView(CurrentStockQuery::View view);
    CurrentStockQuery::View view() const { return m_view; }
    void setOrder(CurrentStockQuery::Order order);
    CurrentStockQuery::Order order() const { return m_order; }

    QTableView *grid() const { return m_grid; }
    // The stock rows, read a page at a time as the grid shows them.
    PagedQueryModel *model() const { return m_model; }
    int currentRow() const;
    // Moves to the row of this group, inventory number and (unless -1) value.
    bool locate(const QString &group, const QString &article, double price);
    // The price search: moves to the next row with that value, from the row after the
    // current one when `fromNext`. A text that is not a number is refused with a warning.
    bool searchPrice(const QString &text, bool fromNext);
    StockPick currentPick() const;

    // "&Editeaza" on: the detailed view with one new row to type. Off: the typed rows are
    // written one by one; a refused row stays, with its text, the message is shown and
    // editing goes on. Returns whether the window is now in the state asked for.
    bool setEditing(bool on);
    bool isEditing() const { return m_editing; }
    // Adds a new row under the others and makes it current; -1 when not editing.
    int addNewRow();
    NewStockRowsModel *newRows() const { return m_newRows; }

    // "&Fisa mijloc fix" prints the card of the selected inventory number; needs the
    // window with the parameters.
    void enableAssetCard(PrintContext &print);

    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reload();
    void saveLayout();
    void restoreLayout();
    QString layoutPath() const;
    void SearchEditChange(const QString &text);
    void PriceBtnClick();
    bool writeNewRows();
    void commitOpenEditor();

    Database &m_db;
    Messages &m_messages;
    QString m_privateDirectory;
    Mode m_mode;
    const Parameters *m_params = nullptr;
    CurrentStockQuery::View m_view = CurrentStockQuery::View::ByPrice;
    CurrentStockQuery::Order m_order = CurrentStockQuery::Order::Group;
    PagedQueryModel *m_model = nullptr;
    NewStockRowsModel *m_newRows = nullptr;
    QConcatenateTablesProxyModel *m_rows = nullptr;
    QPushButton *m_editBtn = nullptr;
    QPushButton *m_cardBtn = nullptr;
    PrintContext *m_print = nullptr;
    bool m_editing = false;
    QTableView *m_grid = nullptr;
    QComboBox *m_unitCombo = nullptr;
    QComboBox *m_viewCombo = nullptr;
    QComboBox *m_sortCombo = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QPushButton *m_repeatBtn = nullptr;
    QString m_lastPrice;
    bool m_layoutShown = false;
};
