#pragma once

#include "app/Refreshable.h"
#include "app/Workstation.h"
#include "documents/ProposalHeader.h"
#include "documents/ProposalService.h"
#include "documents/forms/DocumentBrowsing.h"
#include "documents/forms/DocumentWindowState.h"

#include <QDate>
#include <QWidget>

#include <functional>

class Database;
class DateField;
class Messages;
class Parameters;
class PrintContext;
class ProposalHeadersModel;
class ProposalLinesModel;
class QItemSelectionModel;
class QLineEdit;
class QPushButton;
class QTableView;

// "Propuneri de casare": the scrapping proposals, a header with its navigator over the
// lines grid. Each line names a stock row and the quantity proposed; it is saved as the
// user leaves it and changes no stock. "&Creaza document casare" goes on to "Lista
// casarilor", where the proposal becomes a scrapping exit document.
class TProformaForm : public QWidget, public Refreshable, public DocumentBrowsing
{
    Q_OBJECT
public:
    // print may be null (no printing).
    TProformaForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
                  PrintContext *print = nullptr, QWidget *parent = nullptr);
    ~TProformaForm() override;

    static TProformaForm *create(Database &db, Parameters &parameters, Messages &messages,
                                 const Workstation &workstation, PrintContext *print = nullptr, QWidget *parent = nullptr);
    static QString caption() { return QStringLiteral("Propuneri de casare"); }
    static QString layoutFileName() { return QStringLiteral("DocProf"); }
    static QString openErrorText(const QString &engineMessage);

    // What "&Creaza document casare" opens, given the proposal's number.
    void setOpenList(std::function<void(double)> open) { m_openList = std::move(open); }

    bool isOpen() const { return m_open; }
    double currentContor() const;
    int documentCount() const;
    ProposalHeader header() const;
    ProposalLinesModel *lines() const { return m_lines; }
    QTableView *grid() const { return m_grid; }
    // Set when the last line save found more proposed than in stock.
    bool overStock() const { return m_overStock; }

    bool newDocument();
    bool saveHeader() override;
    void cancelHeader();
    void deleteDocument();

    int addLine();
    bool saveRow(int row);
    bool postCurrent() override;
    void deleteCurrentLine();
    void cancelCurrentLine();
    // Ctrl+Enter on the current cell: the stock selection or the price selection.
    void openLookup();

    // "&Listeaza propunere".
    void printProposal();
    // "&Creaza document casare"; false when refused.
    bool createScrapping();

    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FormCreate();
    void buildHeader();
    void buildGrid();
    void reloadHeaders(double keep);
    void showDocument(int row) override;
    int headerCount() const override;
    void showHeaderFields(const ProposalHeader &header);
    void clearDocument();
    bool saveForCommand();
    void headerEdited();
    void rowChanged(const QModelIndex &current, const QModelIndex &previous);
    void moveCursor(int row, int column);
    int currentRow() const;
    void stockLookup(int row);
    void priceLookup(int row);
    void closeWindow();

    Database &m_db;
    Parameters &m_params;
    Messages &m_messages;
    Workstation m_workstation;
    PrintContext *m_print;
    ProposalService m_service;
    QString m_layoutPath;
    std::function<void(double)> m_openList;

    ProposalHeadersModel *m_headers = nullptr;
    QItemSelectionModel *m_headerSelection = nullptr;
    ProposalLinesModel *m_lines = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_contorEdit = nullptr;
    DateField *m_registeredEdit = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    DateField *m_dateEdit = nullptr;
    QLineEdit *m_explanationEdit = nullptr;
    QWidget *m_headerBox = nullptr;
    QPushButton *m_listBtn = nullptr;
    QPushButton *m_scrapBtn = nullptr;

    QDate m_defaultDate;
    QString m_defaultUnit;
    // The fields of the header shown that the window does not show.
    QString m_client;
    QDate m_dueDate;
    bool m_overStock = false;
    bool m_open = false;
    bool m_loading = false;
    bool m_returning = false;
};
