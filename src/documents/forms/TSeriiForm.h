#pragma once

#include "app/Refreshable.h"

#include <QWidget>

class Database;
class Messages;
class QTableView;
class SerialRowsModel;

// "Serii": the serial-number rows of one entry document, where the user types the
// serial numbers. One window at a time; asking again brings it to the front, on the
// new document when another one is asked for.
class TSeriiForm : public QWidget, public Refreshable
{
    Q_OBJECT

public:
    // Opens (or raises) the window on document `contor`: a child of the main window's
    // workspace when `parent` lives in one, else a window of its own. Null when the rows
    // cannot be read (the error was shown).
    static TSeriiForm *show(Database &db, Messages &messages, double contor, QWidget *parent = nullptr);
    // The open window, or null.
    static TSeriiForm *instance();
    static QString caption() { return QStringLiteral("Serii"); }

    ~TSeriiForm() override;

    double contor() const;
    SerialRowsModel *rows() const { return m_model; }
    QTableView *grid() const { return m_grid; }

    // Writes a pending edit (an open cell editor included); false (message shown) when
    // the database refused it.
    bool savePending();
    // Re-reads the rows unless an edit is pending.
    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TSeriiForm(Database &db, Messages &messages, QWidget *parent);
    bool open(double contor);
    QWidget *frame();

    Database &m_db;
    Messages &m_messages;
    SerialRowsModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    bool m_returning = false;
};
