#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class Database;
class Messages;
class UsersModel;

namespace Ui {
class TUserForm;
}

// "Gestionari, Beneficiari": the modal grid over the custodians and beneficiaries.
// Insert (or Down on the last row) adds a row, Ctrl+Delete deletes one after asking,
// Esc drops the pending edit; leaving a changed row or closing saves it.
class TUserForm : public QDialog
{
    Q_OBJECT
public:
    TUserForm(Database &db, Messages &messages, QWidget *parent = nullptr);
    ~TUserForm() override;

    // Opens the tables and fills the access-level pick list. A database error is shown
    // ("Eroare de acces la baza de date :" ...) and false returned: the window must then
    // be released without being shown.
    bool FormCreate();

    // Creates, opens and shows the window modally; false when it could not be opened.
    static bool execute(Database &db, Messages &messages, QWidget *parent);

    UsersModel *model() const { return m_model; }
    // The texts offered by the pick list of the column "Acces".
    QStringList accessPickList() const { return m_accessLevels; }

    // Saves the pending edit; a refusal is shown and false returned.
    bool postPending();
    void appendRow();
    void deleteCurrentRow();

    static QString openErrorText(const QString &engineText);
    static QString deleteQuestion();

public slots:
    // Esc: drops a pending edit first, closes only when there is none.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void OkBtnClick();
    void selectRow(int row, int column);

    std::unique_ptr<Ui::TUserForm> ui;
    Database &m_db;
    Messages &m_messages;
    UsersModel *m_model = nullptr;
    QStringList m_accessLevels;
    bool m_moving = false;
};
