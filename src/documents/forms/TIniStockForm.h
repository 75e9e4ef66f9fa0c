#pragma once

#include "app/Refreshable.h"

#include <QDialog>

class Database;
class DateField;
class IniStockLinesModel;
class Messages;
class Parameters;
class Workstation;
class QComboBox;
class QTableView;

// "Stocuri initiale": the lines of the initial-stock document per management unit and
// the initial-stock date. A line is saved when the user leaves it; the stock follows.
class TIniStockForm : public QDialog, public Refreshable
{
    Q_OBJECT
public:
    TIniStockForm(Database &db, Messages &messages, const Workstation &workstation, const Parameters &parameters,
                  QWidget *parent = nullptr);
    ~TIniStockForm() override;

    // The window; nullptr when the initial-stock data cannot be read (the error was shown).
    static TIniStockForm *create(Database &db, Messages &messages, const Workstation &workstation,
                                 const Parameters &parameters, QWidget *parent = nullptr);
    static QString caption() { return QStringLiteral("Stocuri initiale"); }
    static QString openErrorText(const QString &engineMessage);

    bool isOpen() const { return m_open; }
    void setUnit(const QString &unit);
    IniStockLinesModel *lines() const { return m_lines; }
    QTableView *grid() const { return m_grid; }
    // Adds an empty line of the current unit and moves to it.
    int addLine();
    // Saves the row when it was changed; false (the message shown) when refused.
    bool saveRow(int row);
    // Saves the current row; false when it was refused.
    bool postCurrent();
    // Deletes the current row after the question.
    void deleteCurrent();

    void refreshData() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Throws DbError.
    void loadLines();
    // The lines of the unit chosen; an engine error is shown.
    void reloadUnit();
    void rowChanged(const QModelIndex &current, const QModelIndex &previous);
    void DataEditExit();

    Database &m_db;
    Messages &m_messages;
    double m_epsilon;
    QString m_layoutPath;
    IniStockLinesModel *m_lines = nullptr;
    QTableView *m_grid = nullptr;
    QComboBox *m_unitCombo = nullptr;
    DateField *m_dateEdit = nullptr;
    bool m_open = false;
    bool m_returning = false;
};
