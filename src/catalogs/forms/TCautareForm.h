#pragma once

#include <QDialog>
#include <QList>
#include <QSqlRecord>

#include <memory>

class Database;
class Messages;
class QSqlQueryModel;

namespace Ui {
class TCautareForm;
}

// "Cautare articole": catalogue rows whose name contains a text, to be taken into a
// document.
class TCautareForm : public QDialog
{
    Q_OBJECT
public:
    TCautareForm(Database &db, Messages &messages, QWidget *parent = nullptr);
    ~TCautareForm() override;

    static QString inputTitle();
    static QString inputPrompt();

    // Asks the text, shows the answer; true unless the user cancelled. The current and
    // the selected rows are handed back.
    static bool execute(Database &db, Messages &messages, QWidget *parent, QSqlRecord &current,
                        QList<QSqlRecord> &selected);

    // Runs the query for rows whose name contains `text`; false after an engine error
    // (shown).
    bool search(const QString &text);
    int rowCount() const;
    QSqlRecord currentRecord() const;
    QList<QSqlRecord> selectedRecords() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TCautareForm> ui;
    Database &m_db;
    Messages &m_messages;
    QSqlQueryModel *m_model = nullptr;
};
