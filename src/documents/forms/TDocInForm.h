#pragma once

#include "app/Refreshable.h"
#include "app/Workstation.h"
#include "catalogs/SearchCriteria.h"
#include "documents/EntryDocumentHeader.h"
#include "documents/EntryDocumentService.h"
#include "documents/forms/DocumentBrowsing.h"
#include "documents/forms/DocumentPeriod.h"
#include "documents/forms/DocumentSearchState.h"
#include "documents/forms/DocumentWindowState.h"

#include <QDate>
#include <QPair>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class AddOnHost;
class Database;
class DateField;
class DocInHeadersModel;
class DocInLookups;
class DocInLinesModel;
class DocumentWindowMenu;
class Messages;
class Parameters;
class PrintContext;
class QAction;
class QComboBox;
class QItemSelectionModel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QToolButton;

// "Intrari produse": the entry documents, a header with its navigator over the lines
// grid. Each line is saved when the user leaves it and the stock follows at once; the
// header is saved by the navigator, on leaving the document and on closing.
class TDocInForm : public QWidget, public Refreshable, public DocumentBrowsing
{
    Q_OBJECT
public:
    // print and addOns may be null (no printing, no add-on modules).
    TDocInForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
               PrintContext *print = nullptr, AddOnHost *addOns = nullptr, QWidget *parent = nullptr);
    ~TDocInForm() override;

    // The window; nullptr when the tables cannot be opened (the error was shown).
    static TDocInForm *create(Database &db, Parameters &parameters, Messages &messages,
                              const Workstation &workstation, PrintContext *print = nullptr,
                              AddOnHost *addOns = nullptr, QWidget *parent = nullptr);
    static QString caption() { return QStringLiteral("Intrari produse"); }
    static QString allDocumentsCaption() { return QStringLiteral("Documente de intrare"); }
    static QString openErrorText(const QString &engineMessage);
    static QString layoutFileName() { return QStringLiteral("pavlon"); }

    bool isOpen() const { return m_open; }
    // Registration number of the document shown; 0 when none.
    double currentContor() const;
    int documentCount() const;
    DocInLinesModel *lines() const { return m_lines; }
    QTableView *grid() const { return m_grid; }
    QMenu *documentMenu() const { return m_documentMenu; }
    // The header as the fields show it.
    EntryDocumentHeader header() const;

    bool newDocument();
    bool saveHeader() override;
    void cancelHeader();
    void deleteDocument();

    // The lines.
    int addLine();
    bool saveRow(int row);
    // Saves the current line; false when it was refused.
    bool postCurrent() override;
    void deleteCurrentLine();
    void cancelCurrentLine();
    // Inserts lines for catalogue rows (classification code, inventory number).
    void insertSelection(const QList<QPair<QString, QString>> &articles);

    // The "&Document" menu.
    void showTotals();
    void setPeriod(const QDate &first, const QDate &last);
    void showAll();
    bool periodActive() const { return m_period.active(); }
    // "&Prima aparitie...": asks the criteria, then searches from the beginning.
    void searchFirst();
    bool searchFirst(const SearchCriteria &criteria);
    // "&Urmatoarea"; false (a beep) when nothing more is found.
    bool searchNext();

    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class DocInLookups;

    bool FormCreate();
    void buildHeader();
    void buildMenu();
    void loadSuppliers();
    void reloadHeaders(double keep);
    void showDocument(int row) override;
    int headerCount() const override;
    void showHeaderFields(const EntryDocumentHeader &header);
    void clearDocument();
    void headerEdited();
    void rowChanged(const QModelIndex &current, const QModelIndex &previous);
    void cellChanged(const QModelIndex &current);
    void moveCursor(int row, int column);
    void PeriodClick();
    void ReceptieBtnClick();
    void FisaBtnClick();
    void SeriiClick();
    void FurnBtnClick();
    QString headerHint(QObject *field) const;
    int currentRow() const;

    Database &m_db;
    Parameters &m_params;
    Messages &m_messages;
    Workstation m_workstation;
    PrintContext *m_print;
    AddOnHost *m_addOns;
    EntryDocumentService m_service;
    std::unique_ptr<DocInLookups> m_lookups;
    QString m_layoutPath;

    DocInHeadersModel *m_headers = nullptr;
    QItemSelectionModel *m_headerSelection = nullptr;
    DocInLinesModel *m_lines = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_contorEdit = nullptr;
    DateField *m_registeredEdit = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    DateField *m_dateEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QComboBox *m_supplierCombo = nullptr;
    QLineEdit *m_explanationEdit = nullptr;
    QWidget *m_headerBox = nullptr;
    QList<QToolButton *> m_navigator;
    QPushButton *m_receptieBtn = nullptr;
    QPushButton *m_fisaBtn = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_documentMenu = nullptr;
    QAction *m_seriiAction = nullptr;
    QAction *m_listAction = nullptr;
    DocumentWindowMenu *m_menuMerge = nullptr;

    QDate m_defaultDate;
    QString m_defaultUnit;
    DocumentPeriod m_period;
    QString m_baseCaption;
    DocumentSearchState m_search{DocumentSearch::Documents::Entries};
    bool m_open = false;
    bool m_loading = false;
    bool m_returning = false;
    bool m_bulk = false;
};
