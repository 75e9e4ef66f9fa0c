#pragma once

#include "app/Refreshable.h"

#include <QDialog>
#include <QList>
#include <QSqlRecord>

#include <memory>

class Database;
class GridEditing;
class Messages;
class NomenclatorModel;
class Workstation;
class QTableView;

namespace Ui {
class TCatLookupForm;
}

// The classification-code catalogue: the classes at the left, the codes of the current
// class and, on a hidden panel, the inventory rows of the current code. It is the MDI
// catalogue window "Catalog coduri de clasificare" and the modal dialog
// "Selectie cod de clasificare" of the documents.
class TCatLookupForm : public QDialog, public Refreshable
{
    Q_OBJECT
public:
    enum class Mode { Catalogue, Selection };

    TCatLookupForm(Database &db, Messages &messages, const Workstation &workstation, Mode mode,
                   QWidget *parent = nullptr);
    ~TCatLookupForm() override;

    // The catalogue window; nullptr when the tables cannot be opened (the error was shown).
    static TCatLookupForm *create(Database &db, Messages &messages, const Workstation &workstation,
                                  QWidget *parent = nullptr);

    // What the selection dialog hands back: the current classification code (`Grup`
    // row) and the selected inventory rows (`Catalog`).
    struct Choice
    {
        QSqlRecord group;
        QList<QSqlRecord> items;
    };
    // The dialog over `owner`, positioned on the class of `code`, on `code` and on the
    // inventory row `inventory`; true unless the user left with "&Renunta".
    static bool selectCode(QWidget *owner, Database &db, Messages &messages,
                           const Workstation &workstation, const QString &code,
                           const QString &inventory, Choice &choice);

    bool isOpen() const { return m_open; }
    Mode mode() const { return m_mode; }
    bool isEditing() const;

    // Positions on the class of `code`, on the code and on its inventory row.
    void position(const QString &code, const QString &inventory);
    QString currentClass() const;
    QSqlRecord currentGroup() const;
    QList<QSqlRecord> selectedItems() const;
    NomenclatorModel *groupModel() const { return m_groups; }
    QTableView *groupGrid() const;

    // Posts pending changes of the codes and of the inventory rows, in that order.
    bool postPending();
    void refreshData() override;

    static QString caption();
    static QString selectionCaption();
    static QString noCodesWarning();
    static QString codeHint();
    static QString itemHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void accept() override;
    void reject() override;

private:
    bool FormCreate();
    void EditBtnClick();
    void SearchEditChange(const QString &text);
    void classChanged(const QModelIndex &current, const QModelIndex &previous);
    void groupChanged();
    void showClass(const QString &code);
    void setEditing(bool on);
    void writeLayout();
    void setupGrid(QTableView *grid, NomenclatorModel *model, const QStringList &shown);

    std::unique_ptr<Ui::TCatLookupForm> ui;
    Database &m_db;
    Messages &m_messages;
    QString m_layoutPath;
    Mode m_mode;
    NomenclatorModel *m_classes = nullptr;
    NomenclatorModel *m_groups = nullptr;
    NomenclatorModel *m_items = nullptr;
    GridEditing *m_groupEditing = nullptr;
    GridEditing *m_itemEditing = nullptr;
    bool m_open = false;
    bool m_layoutWritten = false;
    bool m_changingClass = false;
};
