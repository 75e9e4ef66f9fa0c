#pragma once

#include "app/Refreshable.h"
#include "documents/ProposalService.h"

#include <QDate>
#include <QWidget>

#include <functional>

class Database;
class Messages;
class Parameters;
class ProposalStockModel;
class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

// "Lista casarilor": the lines of one proposal beside the stock of their assets, and
// "Genereaza document iesire ", which writes the scrapping exit document of the proposal
// and hands over to the exit window.
class TXSPNecesarForm : public QWidget, public Refreshable
{
    Q_OBJECT
public:
    TXSPNecesarForm(Database &db, Parameters &parameters, Messages &messages, double proposal,
                    QWidget *parent = nullptr);

    static TXSPNecesarForm *create(Database &db, Parameters &parameters, Messages &messages, double proposal,
                                   QWidget *parent = nullptr);
    static QString caption() { return QStringLiteral("Lista casarilor"); }
    static QString openErrorText(const QString &engineMessage);
    static QStringList navigatorHints();

    // Where the exit document goes once written, given its number.
    void setOpenExit(std::function<void(double)> open) { m_openExit = std::move(open); }
    // How the exit document's date is asked; the date dialog unless replaced.
    void setDateAsker(std::function<bool(QDate &)> ask) { m_askDate = std::move(ask); }

    bool isOpen() const { return m_open; }
    double proposal() const { return m_proposal; }
    // Shows another proposal (the window is single).
    bool showProposal(double proposal);
    QString headerText() const;
    ProposalStockModel *lines() const { return m_lines; }
    QTableView *grid() const { return m_grid; }

    // "Genereaza document iesire "; the exit document's number, 0 when nothing was written.
    double generate();
    bool setQuantity(int row, const QString &text);
    void deleteCurrentLine();
    void refreshData() override;

private:
    void load();
    void closeWindow();

    Database &m_db;
    Parameters &m_params;
    Messages &m_messages;
    ProposalService m_service;
    double m_proposal = 0;
    std::function<void(double)> m_openExit;
    std::function<bool(QDate &)> m_askDate;
    QLabel *m_header = nullptr;
    ProposalStockModel *m_lines = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_generateBtn = nullptr;
    bool m_open = false;
};
