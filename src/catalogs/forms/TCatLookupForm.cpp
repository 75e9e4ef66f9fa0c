#include "catalogs/forms/TCatLookupForm.h"

#include "app/forms/ChildFrame.h"
#include "app/forms/OpenedWindow.h"
#include "ui_TCatLookupForm.h"

#include "app/GridLayout.h"
#include "app/Messages.h"
#include "app/PrivateDirectory.h"
#include "app/RefreshIfBrowsing.h"
#include "app/Status.h"
#include "app/Workstation.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridLayoutHeader.h"
#include "catalogs/NomenclatorModel.h"
#include "catalogs/forms/GridEditing.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString ClassField = QStringLiteral("Cod_material");
const QString CodeField = QStringLiteral("Cod_grupa");

QString engineText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace

TCatLookupForm::TCatLookupForm(Database &db, Messages &messages, const Workstation &workstation,
                               Mode mode, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCatLookupForm>()), m_db(db), m_messages(messages),
      m_mode(mode)
{
    ui->setupUi(this);
    m_layoutPath = PrivateDirectory(workstation.privateDirectory()).layoutFile(QStringLiteral("catlook"));
    m_open = FormCreate();
}

TCatLookupForm::~TCatLookupForm() = default;

QString TCatLookupForm::caption()
{
    return QStringLiteral("Catalog coduri de clasificare");
}

QString TCatLookupForm::selectionCaption()
{
    return QStringLiteral("Selectie cod de clasificare");
}

QString TCatLookupForm::noCodesWarning()
{
    return QStringLiteral("Adaugati articole în catalog!");
}

QString TCatLookupForm::codeHint()
{
    return QStringLiteral("Apasati bara de spatiu sau dublu-clic pe mouse pentru a selecta sau "
                          "deselecta întregul grup de articole!");
}

QString TCatLookupForm::itemHint()
{
    return QStringLiteral("Apasati bara de spatiu sau dublu-clic pe mouse pentru a selecta sau "
                          "deselecta un articol!");
}

QTableView *TCatLookupForm::groupGrid() const
{
    return ui->GroupGrid;
}

void TCatLookupForm::setupGrid(QTableView *grid, NomenclatorModel *model, const QStringList &shown)
{
    grid->setModel(model);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->hide();
    const QSqlRecord fields = model->record();
    for (int column = 0; column < fields.count(); ++column)
        grid->setColumnHidden(column, !shown.contains(fields.fieldName(column)));
    int visual = 0;
    for (const QString &field : shown) {
        const int index = fields.indexOf(field);
        if (index >= 0)
            grid->horizontalHeader()->moveSection(grid->horizontalHeader()->visualIndex(index), visual++);
    }
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->installEventFilter(this);
}

bool TCatLookupForm::FormCreate()
{
    m_classes = new NomenclatorModel(m_db, m_messages, this);
    m_classes->setTableName(QStringLiteral("Materiale.db"));
    m_classes->setCaption(ClassField, QStringLiteral("Cod clasa"));
    m_classes->setOrder({ClassField}, false);
    m_classes->setReadOnly(true);

    m_groups = new NomenclatorModel(m_db, m_messages, this);
    m_groups->setTableName(QStringLiteral("Grup.DB"));
    m_groups->setCaption(CodeField, QStringLiteral("Cod clasificare"));
    m_groups->setCaption(QStringLiteral("DurataMin"), QStringLiteral("Dur. min ani"));
    m_groups->setCaption(QStringLiteral("DurataMax"), QStringLiteral("Dur. max ani"));
    m_groups->setOrder({ClassField, CodeField}, false);
    // An empty code would be a key nobody can choose.
    m_groups->setRowCheck([](const QSqlRecord &record) {
        return record.value(CodeField).toString().trimmed().isEmpty()
            ? QStringLiteral("Completati codul de clasificare!")
            : QString();
    });

    m_items = new NomenclatorModel(m_db, m_messages, this);
    m_items->setTableName(QStringLiteral("Catalog.DB"));
    m_items->setCaption(QStringLiteral("Cod"), QStringLiteral("Nr. Inv"));
    m_items->setCaption(QStringLiteral("Coef_TVA"), QStringLiteral("Coef TVA"));
    m_items->setCaption(QStringLiteral("CalcAmortizare"), QStringLiteral("Calcul amortizare"));
    m_items->setOrder({QStringLiteral("Grupa"), QStringLiteral("Cod")}, false);

    for (NomenclatorModel *model : {m_classes, m_groups, m_items}) {
        if (model == m_groups || model == m_items)
            model->setFilterEquals(model == m_groups ? ClassField : QStringLiteral("Grupa"), QString());
        if (!model->open()) {
            m_messages.error(QStringLiteral("Eroare de acces la catalogul de articole!\n<%1>")
                                 .arg(engineText(model->lastError())));
            return false;
        }
    }

    setupGrid(ui->ClassGrid, m_classes, {ClassField, QStringLiteral("Denumire")});
    setupGrid(ui->GroupGrid, m_groups,
              {CodeField, QStringLiteral("Denumire"), QStringLiteral("DurataMin"), QStringLiteral("DurataMax"),
               QStringLiteral("Cont_sint")});
    setupGrid(ui->ItemGrid, m_items,
              {QStringLiteral("Cod"), QStringLiteral("Denumire"), QStringLiteral("Descriere"),
               QStringLiteral("Unitate_masura"), QStringLiteral("Coef_TVA"), QStringLiteral("Domeniu"),
               QStringLiteral("CalcAmortizare")});
    ui->ClassGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->ClassGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->ClassGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->ClassGrid->resizeColumnToContents(m_classes->fieldIndex(ClassField));
    const int charWidth = ui->GroupGrid->fontMetrics().averageCharWidth();
    ui->GroupGrid->setColumnWidth(m_groups->fieldIndex(CodeField),
                                  qMax(charWidth * 12, ui->GroupGrid->horizontalHeader()->sectionSizeHint(
                                                           m_groups->fieldIndex(CodeField))));
    ui->GroupGrid->setColumnWidth(m_groups->fieldIndex(QStringLiteral("Denumire")), charWidth * 48);
    // The depreciation flag of the catalogue rows as a check box.
    auto *flags = new GridCellDelegate(m_messages, ui->ItemGrid);
    const int calc = m_items->fieldIndex(QStringLiteral("CalcAmortizare"));
    flags->setColumnKind(calc, GridCellDelegate::Kind::Boolean);
    ui->ItemGrid->setItemDelegateForColumn(calc, flags);
    ui->ItemPanel->hide();
    ui->MainLayout->setStretch(1, 1);
    ui->Splitter->setStretchFactor(0, 1);
    ui->Splitter->setStretchFactor(1, 3);
    ui->Splitter->setSizes({260, 640, 0});

    m_groupEditing = new GridEditing(ui->GroupGrid, m_groups, m_messages, CodeField, this);
    m_itemEditing = new GridEditing(ui->ItemGrid, m_items, m_messages, QStringLiteral("Cod"), this);
    // Inventory rows are kept by the documents; here they are only chosen.
    m_items->setReadOnly(true);

    connect(ui->ClassGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCatLookupForm::classChanged);
    connect(ui->GroupGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCatLookupForm::groupChanged);
    connect(m_groupEditing, &GridEditing::posted, this, &TCatLookupForm::groupChanged);
    connect(ui->SearchEdit, &QLineEdit::textChanged, this, &TCatLookupForm::SearchEditChange);
    connect(ui->EditBtn, &QPushButton::clicked, this, &TCatLookupForm::EditBtnClick);
    connect(ui->OkBtn, &QPushButton::clicked, this, &TCatLookupForm::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TCatLookupForm::reject);
    for (QTableView *grid : {ui->GroupGrid, ui->ItemGrid}) {
        connect(grid, &QTableView::doubleClicked, this, [this] {
            if (m_mode == Mode::Selection && !isEditing())
                accept();
        });
    }

    if (m_mode == Mode::Catalogue) {
        setWindowFlags(Qt::Widget);
        setWindowTitle(caption());
        ui->OkBtn->hide();
        ui->CancelBtn->hide();
        ui->EditBtn->hide();
        m_groupEditing->setEditable(true);
    } else {
        setWindowTitle(selectionCaption());
        setModal(true);
        m_itemEditing->setMultiSelection(true);
        m_groupEditing->setEditable(false);
        m_items->setReadOnly(true);
    }

    if (m_classes->rowCount() > 0)
        ui->ClassGrid->selectionModel()->setCurrentIndex(
            m_classes->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (m_groups->rowCount() == 0) {
        setEditing(true);
        m_messages.warning(noCodesWarning());
    }
    return true;
}

bool TCatLookupForm::isEditing() const
{
    return m_groupEditing && m_groupEditing->isEditable();
}

void TCatLookupForm::setEditing(bool on)
{
    m_groupEditing->setEditable(on);
    m_itemEditing->setEditable(on);
    m_items->setReadOnly(true);
    ui->OkBtn->setEnabled(!on);
    ui->EditBtn->setChecked(on);
}

QString TCatLookupForm::currentClass() const
{
    const QModelIndex current = ui->ClassGrid->currentIndex();
    return current.isValid() ? m_classes->record(current.row()).value(ClassField).toString() : QString();
}

void TCatLookupForm::showClass(const QString &code)
{
    m_groups->setFilterEquals(ClassField, code);
    m_groups->setDefault(ClassField, code);
    m_groups->select();
    if (m_groups->rowCount() > 0)
        m_groupEditing->goToRow(0);
    groupChanged();
}

void TCatLookupForm::classChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_changingClass || !current.isValid())
        return;
    // The codes of the class being left are saved before another class shows.
    if (previous.isValid() && !m_groupEditing->post()) {
        m_changingClass = true;
        ui->ClassGrid->selectionModel()->setCurrentIndex(
            previous, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_changingClass = false;
        return;
    }
    showClass(m_classes->record(current.row()).value(ClassField).toString());
}

void TCatLookupForm::groupChanged()
{
    const QSqlRecord group = currentGroup();
    const QString code = group.isEmpty() ? QString() : group.value(CodeField).toString();
    m_items->setFilterEquals(QStringLiteral("Grupa"), code);
    m_items->select();
}

void TCatLookupForm::position(const QString &code, const QString &inventory)
{
    if (!m_open || code.isEmpty())
        return;
    QString classCode;
    try {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT Cod_material FROM \"Grup\" WHERE Cod_grupa = :code "
                                              "ORDER BY Cod_material LIMIT 1"),
                               {{QStringLiteral(":code"), code}});
        if (q.next())
            classCode = q.value(0).toString();
    } catch (const DbError &) {
        return;
    }
    if (!classCode.isEmpty() && classCode != currentClass()) {
        const int row = m_classes->findRow({{ClassField, classCode}});
        if (row >= 0)
            ui->ClassGrid->selectionModel()->setCurrentIndex(
                m_classes->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    const int groupRow = m_groups->findRow({{CodeField, code}});
    if (groupRow >= 0) {
        m_groupEditing->goToRow(groupRow);
        groupChanged();
    }
    const int itemRow = m_items->findRow({{QStringLiteral("Cod"), inventory}});
    if (itemRow >= 0)
        ui->ItemGrid->selectionModel()->setCurrentIndex(
            m_items->index(itemRow, m_items->fieldIndex(QStringLiteral("Cod"))),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QSqlRecord TCatLookupForm::currentGroup() const
{
    const QModelIndex current = ui->GroupGrid->currentIndex();
    if (!m_groups || !current.isValid())
        return {};
    return m_groups->record(current.row());
}

QList<QSqlRecord> TCatLookupForm::selectedItems() const
{
    QList<QSqlRecord> records;
    QModelIndexList rows = ui->ItemGrid->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows)
        records << m_items->record(index.row());
    return records;
}

void TCatLookupForm::SearchEditChange(const QString &text)
{
    // An empty text leaves the position as it is.
    if (text.isEmpty() || !m_open)
        return;
    const int row = m_groups->nearestRow(CodeField, text);
    if (row >= 0) {
        m_groupEditing->goToRow(row);
        groupChanged();
    }
}

void TCatLookupForm::EditBtnClick()
{
    if (m_mode == Mode::Catalogue)
        return;
    if (isEditing()) {
        if (!postPending()) {
            ui->EditBtn->setChecked(true);
            return;
        }
        setEditing(false);
    } else {
        setEditing(true);
    }
    // The inventory grid takes the focus when its panel is shown.
    if (ui->ItemPanel->isVisible())
        ui->ItemGrid->setFocus();
    else
        ui->GroupGrid->setFocus();
}

bool TCatLookupForm::postPending()
{
    if (!m_open)
        return true;
    return m_groupEditing->post() && m_itemEditing->post();
}

bool TCatLookupForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && m_mode == Mode::Selection) {
        if (watched == ui->GroupGrid && !isEditing())
            Status::show(codeHint());
        else if (watched == ui->ItemGrid)
            Status::show(itemHint());
    }
    if (event->type() == QEvent::KeyPress && m_mode == Mode::Selection && !isEditing()
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        if (watched == ui->GroupGrid) {
            accept();
            return true;
        }
        if (watched == ui->ItemGrid && ui->ItemGrid->currentIndex().isValid()) {
            ui->ItemGrid->selectionModel()->select(ui->ItemGrid->currentIndex(),
                                                   QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCatLookupForm::accept()
{
    if (m_mode != Mode::Selection || !postPending())
        return;
    writeLayout();
    QDialog::accept();
}

void TCatLookupForm::reject()
{
    if (m_mode == Mode::Catalogue) {
        // Escape inside the MDI area closes the whole child window.
        childFrame(this)->close();
        return;
    }
    if (m_open) {
        m_groups->revertAll();
        m_items->revertAll();
    }
    writeLayout();
    QDialog::reject();
}

void TCatLookupForm::refreshData()
{
    if (!m_open || m_groupEditing->isEditorOpen() || m_itemEditing->isEditorOpen())
        return;
    refreshIfBrowsing(m_groups, ui->GroupGrid->selectionModel());
    refreshIfBrowsing(m_items, ui->ItemGrid->selectionModel());
}

void TCatLookupForm::writeLayout()
{
    if (m_layoutWritten || !m_open)
        return;
    m_layoutWritten = true;
    // Both grids in one file, the codes first: the inventory columns follow them.
    GridLayout layout = GridLayoutHeader::capture(ui->GroupGrid->horizontalHeader());
    const int offset = layout.columns.size();
    const GridLayout items = GridLayoutHeader::capture(ui->ItemGrid->horizontalHeader());
    for (GridLayout::Column column : items.columns) {
        column.visualIndex += offset;
        layout.columns << column;
    }
    layout.write(m_layoutPath);
}

void TCatLookupForm::closeEvent(QCloseEvent *event)
{
    if (m_mode == Mode::Catalogue) {
        // A pending change that cannot be saved keeps the window open, the row in edit.
        if (!postPending()) {
            event->ignore();
            return;
        }
        writeLayout();
        event->accept();
        return;
    }
    writeLayout();
    QDialog::closeEvent(event);
}

TCatLookupForm *TCatLookupForm::create(Database &db, Messages &messages, const Workstation &workstation,
                                       QWidget *parent)
{
    return openedOrNull(new TCatLookupForm(db, messages, workstation, Mode::Catalogue, parent));
}

bool TCatLookupForm::selectCode(QWidget *owner, Database &db, Messages &messages,
                                const Workstation &workstation, const QString &code,
                                const QString &inventory, Choice &choice)
{
    TCatLookupForm dialog(db, messages, workstation, Mode::Selection, owner);
    if (!dialog.isOpen())
        return false;
    dialog.position(code, inventory);
    if (const QScreen *screen = owner ? owner->screen() : dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.group = dialog.currentGroup();
    choice.items = dialog.selectedItems();
    return true;
}
