#pragma once

#include "app/Refreshable.h"
#include "app/Workstation.h"
#include "catalogs/SearchCriteria.h"
#include "documents/ExitDocumentHeader.h"
#include "documents/ExitDocumentService.h"
#include "documents/forms/DocumentBrowsing.h"
#include "documents/forms/DocumentPeriod.h"
#include "documents/forms/DocumentSearchState.h"
#include "documents/forms/DocumentWindowState.h"
#include "printing/ExitPrintOptions.h"

#include <QDate>
#include <QWidget>

#include <memory>
#include <optional>

class AddOnHost;
class Database;
class DateField;
class DocOutCommands;
class DocOutHeadersModel;
class DocOutLinesModel;
class DocOutLookups;
class DocumentHints;
class DocumentWindowMenu;
class Messages;
class Parameters;
class PrintContext;
class QComboBox;
class QItemSelectionModel;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class QToolButton;

// "Documente de iesire": the exit documents (hand-over, transfer, scrapping), a header with
// its navigator over the lines grid. Each line names a stock row and the quantity taken
// from it; it is saved when the user leaves it and the stock follows at once. "T&ransfer"
// turns the document into an entry document of the receiving management unit.
class TDocOutForm : public QWidget, public Refreshable, public DocumentBrowsing
{
    Q_OBJECT
public:
    // print and addOns may be null (no printing, no add-on modules).
    TDocOutForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
                PrintContext *print = nullptr, AddOnHost *addOns = nullptr, QWidget *parent = nullptr);
    ~TDocOutForm() override;

    // The window; nullptr when the tables cannot be opened (the error was shown).
    static TDocOutForm *create(Database &db, Parameters &parameters, Messages &messages,
                               const Workstation &workstation, PrintContext *print = nullptr,
                               AddOnHost *addOns = nullptr, QWidget *parent = nullptr);
    static QString caption() { return QStringLiteral("Documente de iesire"); }
    static QString openErrorText(const QString &engineMessage);
    static QString layoutFileName() { return QStringLiteral("docout"); }

    bool isOpen() const { return m_open; }
    // Registration number of the document shown; 0 when none.
    double currentContor() const;
    int documentCount() const;
    DocOutLinesModel *lines() const { return m_lines; }
    QTableView *grid() const { return m_grid; }
    QMenu *documentMenu() const { return m_documentMenu; }
    // The header as the fields show it (the hidden due date as stored).
    ExitDocumentHeader header() const;
    const ExitPrintOptions &printOptions() const { return m_printOptions; }

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

    // The receiving unit of a transfer: refused (the warning shown) unless it is in `Gest`.
    bool setReceivingUnit(const QString &code);

    // The "&Document" menu.
    void showTotals();
    // "Aplica &discount": the percentage asked in "Discount".
    void applyDiscount();
    // "T&ransfer": the receiving unit asked in "Transfer spre o alta gestiune".
    void transfer();
    // The transfer into `receivingUnit` once it is chosen; false when refused or failed.
    bool transferTo(const QString &receivingUnit);
    void printDocument();
    void setPeriod(const QDate &first, const QDate &last);
    void showAll();
    bool periodActive() const { return m_period.active(); }
    void searchFirst();
    bool searchFirst(const SearchCriteria &criteria);
    // "Urmatoarea"; false (a beep) when nothing more is found.
    bool searchNext();

    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class DocOutCommands;
    friend class DocOutLookups;

    bool FormCreate();
    void buildHeader();
    void buildMenu();
    void buildGrid();
    void loadCustodians();
    void reloadHeaders(double keep);
    void showDocument(int row) override;
    int headerCount() const override;
    void showHeaderFields(const ExitDocumentHeader &header);
    void showReceivingUnit();
    void clearDocument();
    bool saveForCommand();
    void headerEdited();
    void rowChanged(const QModelIndex &current, const QModelIndex &previous);
    void cellChanged(const QModelIndex &current);
    void moveCursor(int row, int column);
    void receivingUnitEdited();
    void GestBtnClick();
    void PeriodClick();
    int currentRow() const;
    void showLines(double contor);

    Database &m_db;
    Parameters &m_params;
    Messages &m_messages;
    Workstation m_workstation;
    PrintContext *m_print;
    AddOnHost *m_addOns;
    ExitDocumentService m_service;
    std::unique_ptr<DocOutLookups> m_lookups;
    std::unique_ptr<DocOutCommands> m_commands;
    QString m_layoutPath;
    ExitPrintOptions m_printOptions;

    DocOutHeadersModel *m_headers = nullptr;
    QItemSelectionModel *m_headerSelection = nullptr;
    DocOutLinesModel *m_lines = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_contorEdit = nullptr;
    DateField *m_registeredEdit = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    DateField *m_dateEdit = nullptr;
    QComboBox *m_typeCombo = nullptr;
    QLabel *m_clientLabel = nullptr;
    QLineEdit *m_clientEdit = nullptr;
    QLabel *m_clientName = nullptr;
    QToolButton *m_clientBtn = nullptr;
    QComboBox *m_agentCombo = nullptr;
    QLineEdit *m_explanationEdit = nullptr;
    QWidget *m_headerBox = nullptr;
    QPushButton *m_listBtn = nullptr;
    QPushButton *m_transferBtn = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QMenu *m_documentMenu = nullptr;
    DocumentWindowMenu *m_menuMerge = nullptr;
    DocumentHints *m_hints = nullptr;

    QDate m_defaultDate;
    QString m_defaultUnit;
    // The stored due date of the header shown (not a field of the window).
    QDate m_dueDate;
    QString m_acceptedClient;
    DocumentPeriod m_period;
    QString m_baseCaption;
    DocumentSearchState m_search{DocumentSearch::Documents::Exits};
    bool m_open = false;
    bool m_loading = false;
    bool m_returning = false;
    // Where the cursor goes back to on a line whose save was declined; -1 for where it was.
    int m_refusedColumn = -1;
};
