#include "catalogs/forms/TCautareForm.h"

#include "ui_TCautareForm.h"

#include "app/Messages.h"
#include "catalogs/ArticleSearch.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QSqlQuery>
#include <QSqlQueryModel>

TCautareForm::TCautareForm(Database &db, Messages &messages, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCautareForm>()), m_db(db), m_messages(messages)
{
    ui->setupUi(this);
    m_model = new QSqlQueryModel(this);
    ui->Grid->setModel(m_model);
    ui->Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->Grid->setSelectionMode(QAbstractItemView::MultiSelection);
    ui->Grid->verticalHeader()->hide();
    ui->Grid->installEventFilter(this);
    connect(ui->Grid, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    // An empty catalogue has nothing to find: say so at once.
    try {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Catalog\" LIMIT 1"));
        if (!q.next()) {
            m_messages.warning(QStringLiteral("Adaugati articole în catalog!"));
            ui->OkBtn->setEnabled(false);
        }
    } catch (const DbError &) {
        // The search itself reports the error.
    }
}

TCautareForm::~TCautareForm() = default;

QString TCautareForm::inputTitle()
{
    return QStringLiteral("Criteriu de cautare");
}

QString TCautareForm::inputPrompt()
{
    return QStringLiteral("Cautare articole care contin în denumire:");
}

bool TCautareForm::search(const QString &text)
{
    try {
        QSqlQuery query = m_db.run(ArticleSearch::sql(), ArticleSearch::values(text));
        m_model->setQuery(std::move(query));
        while (m_model->canFetchMore())
            m_model->fetchMore();
    } catch (const DbError &error) {
        m_messages.error(QStringLiteral("Eroare de acces la baza de date!\n<%1>!").arg(error.engineMessage()));
        return false;
    }
    ui->Grid->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        ui->Grid->selectionModel()->setCurrentIndex(m_model->index(0, 0), QItemSelectionModel::NoUpdate);
    return true;
}

int TCautareForm::rowCount() const
{
    return m_model->rowCount();
}

QSqlRecord TCautareForm::currentRecord() const
{
    const QModelIndex current = ui->Grid->currentIndex();
    return current.isValid() ? m_model->record(current.row()) : QSqlRecord();
}

QList<QSqlRecord> TCautareForm::selectedRecords() const
{
    QModelIndexList rows = ui->Grid->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<QSqlRecord> records;
    for (const QModelIndex &index : rows)
        records << m_model->record(index.row());
    return records;
}

bool TCautareForm::eventFilter(QObject *watched, QEvent *event)
{
    // The space bar selects or deselects the current row and moves to the next one.
    if (watched == ui->Grid && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        const QModelIndex current = ui->Grid->currentIndex();
        if (current.isValid()) {
            ui->Grid->selectionModel()->select(current, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
            if (current.row() + 1 < m_model->rowCount())
                ui->Grid->selectionModel()->setCurrentIndex(m_model->index(current.row() + 1, current.column()),
                                                            QItemSelectionModel::NoUpdate);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TCautareForm::execute(Database &db, Messages &messages, QWidget *parent, QSqlRecord &current,
                           QList<QSqlRecord> &selected)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, inputTitle(), inputPrompt(), QLineEdit::Normal,
                                               QString(), &ok);
    if (!ok)
        return false;
    TCautareForm form(db, messages, parent);
    if (!form.search(text))
        return false;
    if (const QScreen *screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    if (form.exec() != QDialog::Accepted)
        return false;
    current = form.currentRecord();
    selected = form.selectedRecords();
    return true;
}
