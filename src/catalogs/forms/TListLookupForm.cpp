#include "catalogs/forms/TListLookupForm.h"

#include "app/forms/ChildFrame.h"
#include "ui_TListLookupForm.h"

#include "app/GridLayout.h"
#include "app/Messages.h"
#include "app/PrivateDirectory.h"
#include "app/RefreshIfBrowsing.h"
#include "app/Workstation.h"
#include "app/forms/GridLayoutHeader.h"
#include "catalogs/NomenclatorModel.h"
#include "catalogs/forms/GridEditing.h"
#include "db/Database.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QSqlError>
#include <QSqlRecord>

TListLookupForm::TListLookupForm(const ListCatalog &catalog, Database &db, Messages &messages,
                                 const Workstation &workstation, Mode mode, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TListLookupForm>()), m_catalog(catalog), m_db(db),
      m_messages(messages), m_mode(mode)
{
    ui->setupUi(this);
    setWindowTitle(m_catalog.caption);
    setProperty("HelpContext", m_catalog.helpContext);
    if (!m_catalog.layoutName.isEmpty())
        m_layoutPath = PrivateDirectory(workstation.privateDirectory()).layoutFile(m_catalog.layoutName);
    ui->Grid->setStatusTip(ui->Grid->toolTip());
    ui->OkBtn->setStatusTip(ui->OkBtn->toolTip());
    FormCreate();
}

TListLookupForm::~TListLookupForm() = default;

QTableView *TListLookupForm::grid() const
{
    return ui->Grid;
}

void TListLookupForm::FormCreate()
{
    m_model = new NomenclatorModel(m_db, m_messages, this);
    m_model->setTableName(m_catalog.table);
    for (const ListCatalog::Column &column : m_catalog.columns)
        m_model->setCaption(column.field, column.caption);
    if (!m_catalog.accountField.isEmpty()) {
        m_model->setDefault(m_catalog.accountField, m_catalog.defaultAccount);
        m_model->setFieldCheck(m_catalog.accountField, &ListCatalog::checkAccount);
    }
    const ListCatalog catalog = m_catalog;
    m_model->setRowCheck([catalog](const QSqlRecord &record) { return catalog.checkRow(record); });
    m_model->setOrder({m_catalog.keyField}, false);
    if (!m_model->open()) {
        m_messages.error(QStringLiteral("Eroare de acces la baza de date!\n<%1>")
                             .arg(m_model->lastError().databaseText().isEmpty()
                                      ? m_model->lastError().text()
                                      : m_model->lastError().databaseText()));
        return;
    }
    m_open = true;

    ui->Grid->setModel(m_model);
    ui->Grid->verticalHeader()->setDefaultSectionSize(ui->Grid->fontMetrics().height() + 6);
    const QSqlRecord fields = m_model->record();
    const int charWidth = ui->Grid->fontMetrics().averageCharWidth();
    for (int column = 0; column < fields.count(); ++column)
        ui->Grid->setColumnHidden(column, true);
    for (const ListCatalog::Column &column : m_catalog.columns) {
        const int index = fields.indexOf(column.field);
        if (index < 0)
            continue; // `Gestionar` comes only with the upgrade of older directories
        ui->Grid->setColumnHidden(index, false);
        // Never narrower than the caption ("Cod gestiune" over a field of four characters).
        ui->Grid->setColumnWidth(index, qMax(charWidth * qBound(6, column.width, 40) + 12,
                                             ui->Grid->horizontalHeader()->sectionSizeHint(index) + 4));
    }
    // The columns in the order of the design.
    int visual = 0;
    for (const ListCatalog::Column &column : m_catalog.columns) {
        const int index = fields.indexOf(column.field);
        if (index < 0)
            continue;
        ui->Grid->horizontalHeader()->moveSection(ui->Grid->horizontalHeader()->visualIndex(index), visual++);
    }

    m_editing = new GridEditing(ui->Grid, m_model, m_messages, m_catalog.keyField, this);

    connect(ui->OrderCombo, &QComboBox::activated, this, &TListLookupForm::setOrder);
    connect(ui->SearchEdit, &QLineEdit::textChanged, this, &TListLookupForm::SearchEditChange);
    connect(ui->EditBtn, &QPushButton::clicked, this, &TListLookupForm::EditBtnClick);
    connect(ui->OkBtn, &QPushButton::clicked, this, &TListLookupForm::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TListLookupForm::reject);
    connect(ui->Grid, &QTableView::doubleClicked, this, &TListLookupForm::GridDblClick);

    ui->OrderCombo->setCurrentIndex(0);
    if (m_model->rowCount() > 0)
        m_editing->goToRow(0);

    if (m_mode == Mode::Catalogue) {
        setWindowFlags(Qt::Widget);
        ui->OkBtn->hide();
        ui->CancelBtn->hide();
        ui->EditBtn->hide();
        ui->Grid->setToolTip(QString());
        ui->Grid->setStatusTip(QString());
        m_editing->setEditable(true);
    } else {
        setModal(true);
        m_editing->setEditable(false);
    }

    if (m_model->rowCount() == 0) {
        setEditing(true);
        m_messages.warning(m_catalog.emptyWarning);
    }
}

bool TListLookupForm::isEditing() const
{
    return m_editing && m_editing->isEditable();
}

void TListLookupForm::setEditing(bool on)
{
    m_editing->setEditable(on);
    ui->OkBtn->setEnabled(!on);
    ui->EditBtn->setChecked(on);
}

void TListLookupForm::EditBtnClick()
{
    if (m_mode == Mode::Catalogue)
        return;
    if (isEditing()) {
        if (!m_editing->post()) {
            ui->EditBtn->setChecked(true);
            ui->Grid->setFocus();
            return;
        }
        setEditing(false);
    } else {
        setEditing(true);
    }
    ui->Grid->setFocus();
}

void TListLookupForm::setOrder(int order)
{
    if (!m_open)
        return;
    if (!m_editing->post()) {
        ui->OrderCombo->setCurrentIndex(m_model->romanianOrder() ? 1 : 0);
        return;
    }
    const QString code = currentCode();
    if (order == 1)
        m_model->setOrder({m_catalog.nameField, m_catalog.keyField}, true);
    else
        m_model->setOrder({m_catalog.keyField}, false);
    ui->OrderCombo->setCurrentIndex(order == 1 ? 1 : 0);
    m_model->select();
    if (!locate(code) && m_model->rowCount() > 0)
        m_editing->goToRow(0);
}

void TListLookupForm::SearchEditChange(const QString &text)
{
    if (text.isEmpty() || !m_open)
        return;
    const int row = m_model->nearestRow(m_model->orderField(), text);
    if (row >= 0)
        m_editing->goToRow(row);
}

bool TListLookupForm::locate(const QString &code)
{
    if (!m_open || code.isEmpty())
        return false;
    const int row = m_model->findRow({{m_catalog.keyField, code}});
    if (row < 0)
        return false;
    m_editing->goToRow(row);
    return true;
}

QString TListLookupForm::currentCode() const
{
    const QModelIndex current = ui->Grid->currentIndex();
    if (!m_open || !current.isValid())
        return {};
    return m_model->record(current.row()).value(m_catalog.keyField).toString();
}

void TListLookupForm::GridDblClick()
{
    if (m_mode == Mode::Selection && !isEditing())
        accept();
}

bool TListLookupForm::postPending()
{
    return !m_editing || m_editing->post();
}

void TListLookupForm::accept()
{
    if (m_mode != Mode::Selection)
        return;
    if (!postPending())
        return;
    writeLayout();
    QDialog::accept();
}

void TListLookupForm::reject()
{
    if (m_mode == Mode::Catalogue) {
        // Escape inside the MDI area closes the whole child window.
        childFrame(this)->close();
        return;
    }
    if (m_model)
        m_model->revertAll();
    writeLayout();
    QDialog::reject();
}

void TListLookupForm::refreshData()
{
    if (!m_open || !m_catalog.refreshes || m_model->isDirty())
        return;
    if (m_editing->isEditorOpen())
        return;
    refreshIfBrowsing(m_model, ui->Grid->selectionModel());
}

void TListLookupForm::writeLayout()
{
    if (m_layoutWritten || m_layoutPath.isEmpty() || !m_open)
        return;
    m_layoutWritten = true;
    GridLayoutHeader::save(ui->Grid->horizontalHeader(), m_layoutPath);
}

void TListLookupForm::closeEvent(QCloseEvent *event)
{
    // A pending edit is saved first; when that fails the window stays, with the row
    // in edit.
    if (m_open && m_mode == Mode::Catalogue && !postPending()) {
        event->ignore();
        return;
    }
    writeLayout();
    if (m_mode == Mode::Catalogue)
        event->accept();
    else
        QDialog::closeEvent(event);
}
