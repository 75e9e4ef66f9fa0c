#pragma once

#include "app/Refreshable.h"
#include "catalogs/ListCatalog.h"

#include <QDialog>

#include <memory>

class Database;
class GridEditing;
class Messages;
class NomenclatorModel;
class Parameters;
class Workstation;
class QTableView;

namespace Ui {
class TListLookupForm;
}

// The shared design of the list windows (management units, budgets, suppliers): a
// table in a grid with its two orders, the nearest-key search and the edit toggle. It
// opens as an MDI catalogue window or as a modal selection dialog.
class TListLookupForm : public QDialog, public Refreshable
{
    Q_OBJECT
public:
    enum class Mode { Catalogue, Selection };

    ~TListLookupForm() override;

    // False when the table could not be opened (the error has been shown).
    bool isOpen() const { return m_open; }
    Mode mode() const { return m_mode; }
    const ListCatalog &catalog() const { return m_catalog; }
    NomenclatorModel *model() const { return m_model; }
    QTableView *grid() const;

    // "dupa Cod" (0) or "dupa Denumire" (1); keeps the current row.
    void setOrder(int order);
    // Moves to the row with this code; false when there is none.
    bool locate(const QString &code);
    QString currentCode() const;
    bool isEditing() const;

    // Leaves with the pending changes posted; true when nothing remained pending.
    bool postPending();

    void refreshData() override;

protected:
    TListLookupForm(const ListCatalog &catalog, Database &db, Messages &messages,
                    const Workstation &workstation, Mode mode, QWidget *parent);

    void closeEvent(QCloseEvent *event) override;
    void accept() override;
    void reject() override;

private:
    void FormCreate();
    void EditBtnClick();
    void SearchEditChange(const QString &text);
    void GridDblClick();
    void setEditing(bool on);
    void writeLayout();

    std::unique_ptr<Ui::TListLookupForm> ui;
    ListCatalog m_catalog;
    Database &m_db;
    Messages &m_messages;
    QString m_layoutPath;
    Mode m_mode;
    NomenclatorModel *m_model = nullptr;
    GridEditing *m_editing = nullptr;
    bool m_open = false;
    bool m_layoutWritten = false;
};
