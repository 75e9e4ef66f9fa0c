#include "app/forms/TUserForm.h"

#include "ui_TUserForm.h"

#include "app/ApplicationErrors.h"
#include "app/Messages.h"
#include "app/UsersError.h"
#include "app/UsersModel.h"
#include "db/DbError.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QStyledItemDelegate>

namespace {

// The editor of a column with a fixed list of values to pick from.
class PickListDelegate : public QStyledItemDelegate
{
public:
    PickListDelegate(const QStringList &items, QObject *parent)
        : QStyledItemDelegate(parent), m_items(items)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->addItems(m_items);
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }

private:
    QStringList m_items;
};

} // namespace

TUserForm::TUserForm(Database &db, Messages &messages, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TUserForm>()), m_db(db), m_messages(messages)
{
    ui->setupUi(this);
    // A fixed dialog: no resizing, no help button.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->UsersGrid->setMinimumSize(380, 300);
    ui->UsersGrid->installEventFilter(this);
    connect(ui->OkBtn, &QPushButton::clicked, this, &TUserForm::OkBtnClick);
}

TUserForm::~TUserForm() = default;

bool TUserForm::FormCreate()
{
    try {
        auto model = std::make_unique<UsersModel>(m_db, this);
        model->load();
        m_accessLevels = UsersModel::accessLevels(m_db);
        m_model = model.release();
    } catch (const DbError &error) {
        m_messages.error(openErrorText(error.engineMessage()));
        return false;
    }

    m_model->setHeaderData(m_model->nameColumn(), Qt::Horizontal, QStringLiteral("Nume"));
    m_model->setHeaderData(m_model->initColumn(), Qt::Horizontal, QStringLiteral("Initiale"));
    m_model->setHeaderData(m_model->passwordColumn(), Qt::Horizontal, QStringLiteral("Parola"));
    m_model->setHeaderData(m_model->accessColumn(), Qt::Horizontal, QStringLiteral("Acces"));

    QTableView *grid = ui->UsersGrid;
    grid->setModel(m_model);
    // Name first, then the initials; the password and access level are kept but hidden.
    grid->horizontalHeader()->moveSection(grid->horizontalHeader()->visualIndex(m_model->nameColumn()), 0);
    grid->setColumnHidden(m_model->passwordColumn(), true);
    grid->setColumnHidden(m_model->accessColumn(), true);
    grid->setColumnWidth(m_model->nameColumn(), 240);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setItemDelegateForColumn(m_model->accessColumn(),
                                   new PickListDelegate(m_accessLevels, grid));
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TUserForm::currentRowChanged);
    if (m_model->rowCount() > 0)
        selectRow(0, m_model->nameColumn());

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
    return true;
}

bool TUserForm::execute(Database &db, Messages &messages, QWidget *parent)
{
    TUserForm form(db, messages, parent);
    if (!form.FormCreate())
        return false;
    form.exec();
    return true;
}

bool TUserForm::postPending()
{
    if (!m_model || !m_model->hasPendingEdits())
        return true;
    const int column = ui->UsersGrid->currentIndex().column();
    try {
        m_model->post();
    } catch (const UsersError &error) {
        m_messages.warning(error.text());
        return false;
    } catch (const std::exception &error) {
        // Duplicate initials get the application's duplicate-key warning.
        ApplicationErrors::report(error, m_messages);
        return false;
    }
    // Saving re-reads the table; stay on the row just saved when it still exists.
    const QModelIndex current = ui->UsersGrid->currentIndex();
    if (!current.isValid() && m_model->rowCount() > 0)
        selectRow(0, column < 0 ? m_model->nameColumn() : column);
    return true;
}

void TUserForm::appendRow()
{
    if (!postPending())
        return;
    const int row = m_model->appendRow();
    selectRow(row, m_model->nameColumn());
}

void TUserForm::deleteCurrentRow()
{
    const QModelIndex current = ui->UsersGrid->currentIndex();
    if (!current.isValid())
        return;
    if (!m_messages.okCancel(deleteQuestion()))
        return;
    const int row = current.row();
    const int rowsBefore = m_model->rowCount();
    // The pending edit goes first; a row that was never saved disappears with it.
    m_model->cancel();
    if (m_model->rowCount() < rowsBefore || row >= m_model->rowCount())
        return;
    m_model->markDeleted(row);
    if (!postPending())
        m_model->cancel();
}

void TUserForm::currentRowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_moving || !previous.isValid() || current.row() == previous.row())
        return;
    if (!m_model->hasPendingEdits())
        return;
    const QString target = current.isValid()
        ? m_model->data(m_model->index(current.row(), m_model->initColumn())).toString()
        : QString();
    const bool targetIsNew = current.isValid() && current.row() >= m_model->rowCount() - 1
        && target.isEmpty();
    const int previousRow = previous.row();
    const int column = current.column();
    // Deferred: the view must finish moving before the model is re-read.
    QMetaObject::invokeMethod(this, [this, target, targetIsNew, previousRow, column] {
        if (!postPending()) {
            selectRow(previousRow, column);
            return;
        }
        if (targetIsNew)
            return;
        const int row = target.isEmpty() ? -1 : m_model->rowOf(target);
        if (row >= 0)
            selectRow(row, column);
    }, Qt::QueuedConnection);
}

void TUserForm::selectRow(int row, int column)
{
    m_moving = true;
    ui->UsersGrid->setCurrentIndex(m_model->index(row, column));
    m_moving = false;
}

bool TUserForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->UsersGrid && event->type() == QEvent::KeyPress && m_model) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = ui->UsersGrid->currentIndex();
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            appendRow();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            deleteCurrentRow();
            return true;
        }
        if (key->key() == Qt::Key_Down && key->modifiers() == Qt::NoModifier
            && (m_model->rowCount() == 0 || current.row() == m_model->rowCount() - 1)) {
            const bool lastIsNew = m_model->rowCount() > 0
                && m_model->data(m_model->index(m_model->rowCount() - 1, m_model->nameColumn()))
                       .toString()
                       .isEmpty();
            if (!lastIsNew)
                appendRow();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TUserForm::OkBtnClick()
{
    if (postPending())
        accept();
}

void TUserForm::closeEvent(QCloseEvent *event)
{
    // A refused save keeps the window open so that the user can correct the row.
    if (postPending())
        event->accept();
    else
        event->ignore();
}

void TUserForm::reject()
{
    // Esc first drops a pending edit, like leaving the grid's edit mode; then closes.
    if (m_model && m_model->hasPendingEdits()) {
        m_model->cancel();
        return;
    }
    QDialog::reject();
}

QString TUserForm::openErrorText(const QString &engineText)
{
    return QStringLiteral("Eroare de acces la baza de date :\n<%1> !").arg(engineText);
}

QString TUserForm::deleteQuestion()
{
    return QStringLiteral("Stergeti inregistrarea curenta?");
}
