#include "documents/forms/TStocksForm.h"

#include "app/Messages.h"
#include "app/PrivateDirectory.h"
#include "app/Workstation.h"
#include "app/Parameters.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/GridLayoutHeader.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/PagedQueryModel.h"
#include "db/SqlDialect.h"
#include "documents/DocumentRefusal.h"
#include "documents/StockInsertion.h"
#include "documents/forms/NewStockRowsModel.h"
#include "documents/forms/StockDisplayModel.h"
#include "printing/forms/FixedAssetCardRun.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QConcatenateTablesProxyModel>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace {

QSettings registry()
{
    return QSettings(QStringLiteral("Brindell"), QStringLiteral("Tessaro"));
}

const QMap<QString, QString> &captions()
{
    static const QMap<QString, QString> map{
        {QStringLiteral("Cod_grupa"), QStringLiteral("Cod clasificare")},
        {QStringLiteral("Cod_articol"), QStringLiteral("Nr. inventar")},
        {QStringLiteral("Denumire"), QStringLiteral("Denumire")},
        {QStringLiteral("Pret_achizitie"), QStringLiteral("Valoare unitara")},
        {QStringLiteral("Cantitate"), QStringLiteral("Cantitate")},
        {QStringLiteral("Valoare"), QStringLiteral("Valoare")},
        {QStringLiteral("Lot"), QStringLiteral("Data PIF")},
        {QStringLiteral("Agent"), QStringLiteral("Cod buget")},
        {QStringLiteral("Buget"), QStringLiteral("Buget")},
        {QStringLiteral("Cod_bare"), QStringLiteral("Cod de bare")},
        {QStringLiteral("Cod_gestiune"), QStringLiteral("Gestiune")},
        {QStringLiteral("Unitate_masura"), QStringLiteral("U.M.")},
        {QStringLiteral("Pret_vinzare"), QStringLiteral("Pret vinzare")},
        {QStringLiteral("Moneda"), QStringLiteral("Moneda")},
    };
    return map;
}

} // namespace

TStocksForm::TStocksForm(Database &db, Messages &messages, const Workstation &workstation, Mode mode,
                         QWidget *parent)
    : QDialog(parent), m_db(db), m_messages(messages), m_privateDirectory(workstation.privateDirectory()),
      m_mode(mode)
{
    setObjectName(QStringLiteral("TStocksForm"));
    setWindowTitle(mode == Mode::Picker ? pickerCaption() : caption());

    m_unitCombo = new QComboBox(this);
    m_unitCombo->setObjectName(QStringLiteral("GestCombo"));
    m_viewCombo = new QComboBox(this);
    m_viewCombo->setObjectName(QStringLiteral("ViewCombo"));
    m_viewCombo->addItems({QStringLiteral("Stocuri defalcate pe preturi"),
                           QStringLiteral("Stocuri cumulate pe cod articol")});
    m_sortCombo = new QComboBox(this);
    m_sortCombo->setObjectName(QStringLiteral("SortCombo"));
    m_sortCombo->addItems({QStringLiteral("Cod clasificare"), QStringLiteral("Nr. inventar"), QStringLiteral("Denumire")});
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    auto *priceBtn = new QPushButton(QStringLiteral("Cauta pret..."), this);
    priceBtn->setObjectName(QStringLiteral("PriceBtn"));
    m_repeatBtn = new QPushButton(QStringLiteral("Repeta"), this);
    m_repeatBtn->setObjectName(QStringLiteral("RepeatBtn"));
    m_repeatBtn->setEnabled(false);
    // Available once the window is given the parameters the new rows need.
    m_editBtn = new QPushButton(QStringLiteral("&Editeaza"), this);
    m_editBtn->setObjectName(QStringLiteral("EditBtn"));
    m_editBtn->setCheckable(true);
    m_editBtn->setEnabled(false);
    // Available once the window is given the printer (enableAssetCard).
    m_cardBtn = new QPushButton(QStringLiteral("&Fisa mijloc fix"), this);
    m_cardBtn->setObjectName(QStringLiteral("FisaBtn"));
    m_cardBtn->setEnabled(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Selecteaza gestiunea:"), m_unitCombo);
    form->addRow(QStringLiteral("&Prezinta:"), m_viewCombo);
    form->addRow(QStringLiteral("Sorteaza &dupa:"), m_sortCombo);
    form->addRow(QStringLiteral("&Cauta denumire:"), m_searchEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(priceBtn);
    buttons->addWidget(m_repeatBtn);
    buttons->addStretch();
    buttons->addWidget(m_editBtn);
    buttons->addWidget(m_cardBtn);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StocksGrid"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    // Rows are read as they are shown: a unit of 150,000 stock rows opens at once.
    m_model = new PagedQueryModel(m_db, this);
    auto *display = new StockDisplayModel(this);
    display->setSourceModel(m_model);
    // The typed rows join under the stock rows while editing.
    m_newRows = new NewStockRowsModel(this);
    m_rows = new QConcatenateTablesProxyModel(this);
    m_rows->addSourceModel(display);
    m_grid->setModel(m_rows);
    m_grid->installEventFilter(this);
    // While "&Editeaza" is on, the new rows are typed like the lines of a document.
    m_grid->setItemDelegate(new GridCellDelegate(m_messages, m_grid));
    new GridKeyboard(m_grid);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);

    if (mode == Mode::Picker) {
        auto *hint = new QLabel(QStringLiteral("Selectati articolul si apasati butonul OK sau Enter"), this);
        hint->setObjectName(QStringLiteral("HintLabel"));
        auto *ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("OkBtn"));
        ok->setDefault(true);
        auto *cancel = new QPushButton(QStringLiteral("&Renunta"), this);
        cancel->setObjectName(QStringLiteral("CancelBtn"));
        auto *row = new QHBoxLayout;
        row->addWidget(hint, 1);
        row->addWidget(ok);
        row->addWidget(cancel);
        layout->addLayout(row);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(m_grid, &QTableView::doubleClicked, this, &QDialog::accept);
        m_viewCombo->setEnabled(false); // the picker returns stock rows
        setModal(true);
    } else {
        setWindowFlags(Qt::Widget);
    }

    try {
        QSqlQuery units = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\" ORDER BY \"Cod\""));
        while (units.next())
            m_unitCombo->addItem(units.value(0).toString() + QStringLiteral(" - ") + units.value(1).toString(),
                                 units.value(0));
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    const int stored = registry().value(sortKey(), 0).toInt();
    m_order = CurrentStockQuery::Order(qBound(0, stored, 2));
    m_sortCombo->setCurrentIndex(int(m_order));

    connect(m_unitCombo, &QComboBox::currentIndexChanged, this, [this] { reload(); });
    connect(m_viewCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { setView(CurrentStockQuery::View(index)); });
    connect(m_sortCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { setOrder(CurrentStockQuery::Order(index)); });
    connect(m_searchEdit, &QLineEdit::textChanged, this, &TStocksForm::SearchEditChange);
    connect(priceBtn, &QPushButton::clicked, this, &TStocksForm::PriceBtnClick);
    connect(m_repeatBtn, &QPushButton::clicked, this, [this] { searchPrice(m_lastPrice, true); });
    connect(m_editBtn, &QPushButton::toggled, this, [this](bool on) {
        if (!setEditing(on)) {
            const QSignalBlocker block(m_editBtn);
            m_editBtn->setChecked(m_editing);
        }
    });
    reload();
    resize(900, 520);
}

TStocksForm::TStocksForm(Database &db, Messages &messages, const Workstation &workstation,
                         const Parameters &parameters, QWidget *parent)
    : TStocksForm(db, messages, workstation, Mode::Window, parent)
{
    m_params = &parameters;
    m_editBtn->setEnabled(m_unitCombo->count() > 0);
    m_newRows->setLeiDecimals(parameters.nrZecimaleLei);
    if (auto *display = qobject_cast<StockDisplayModel *>(m_rows->sourceModels().value(0)))
        display->setLeiDecimals(parameters.nrZecimaleLei);
}

TStocksForm::~TStocksForm() = default;

void TStocksForm::enableAssetCard(PrintContext &print)
{
    if (!m_params)
        return;
    const bool first = !m_print;
    m_print = &print;
    m_cardBtn->setEnabled(true);
    if (first)
        connect(m_cardBtn, &QPushButton::clicked, this, [this] {
            if (currentRow() >= 0)
                printFixedAssetCardOf(this, m_db, *m_params, *m_print, m_messages, currentPick().article);
        });
}

TStocksForm *TStocksForm::create(Database &db, Messages &messages, const Workstation &workstation, QWidget *parent)
{
    return new TStocksForm(db, messages, workstation, Mode::Window, parent);
}

TStocksForm *TStocksForm::create(Database &db, Messages &messages, const Workstation &workstation,
                                 const Parameters &parameters, QWidget *parent)
{
    return new TStocksForm(db, messages, workstation, parameters, parent);
}

bool TStocksForm::pickFromStock(QWidget *owner, Database &db, Messages &messages, const Workstation &workstation,
                                StockPick &pick)
{
    TStocksForm form(db, messages, workstation, Mode::Picker, owner);
    form.setUnit(pick.unit);
    if (!form.locate(pick.group, pick.article, pick.price) && form.m_model->rowCount() > 0)
        form.m_grid->selectRow(0);
    const int result = form.exec();
    form.saveLayout();
    if (result != QDialog::Accepted || form.currentRow() < 0)
        return false;
    pick = form.currentPick();
    return true;
}

void TStocksForm::setUnit(const QString &unit)
{
    const int index = m_unitCombo->findData(unit);
    if (index >= 0)
        m_unitCombo->setCurrentIndex(index);
}

QString TStocksForm::unit() const
{
    return m_unitCombo->currentData().toString();
}

void TStocksForm::setView(CurrentStockQuery::View view)
{
    if (m_mode == Mode::Picker)
        view = CurrentStockQuery::View::ByPrice;
    if (view == m_view && m_model->columnCount() > 0)
        return;
    saveLayout();
    m_view = view;
    m_layoutShown = false;
    const QSignalBlocker block(m_viewCombo);
    m_viewCombo->setCurrentIndex(int(view));
    reload();
}

void TStocksForm::setOrder(CurrentStockQuery::Order order)
{
    m_order = order;
    {
        const QSignalBlocker block(m_sortCombo);
        m_sortCombo->setCurrentIndex(int(order));
    }
    registry().setValue(sortKey(), int(order));
    const StockPick current = currentRow() >= 0 ? currentPick() : StockPick{};
    reload();
    locate(current.group, current.article, m_view == CurrentStockQuery::View::ByPrice ? current.price : -1);
}

void TStocksForm::reload()
{
    try {
        m_model->setQuery(CurrentStockQuery::select(m_view), CurrentStockQuery::bindings(unit()),
                          CurrentStockQuery::order(m_view, m_order), CurrentStockQuery::reading(m_view, m_order));
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    const QSqlRecord record = m_model->record();
    for (int i = 0; i < record.count(); ++i)
    {
        m_model->setHeaderData(i, Qt::Horizontal, captions().value(record.fieldName(i), record.fieldName(i)));
        m_model->setHeaderData(i, Qt::Horizontal, record.fieldName(i), Qt::UserRole);
    }
    if (!m_layoutShown) {
        m_grid->resizeColumnsToContents();
        restoreLayout();
        m_layoutShown = true;
    }
    if (m_model->rowCount() > 0)
        m_grid->selectRow(0);
}

int TStocksForm::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

bool TStocksForm::locate(const QString &group, const QString &article, double price)
{
    if (article.isEmpty() || m_model->rowCount() == 0)
        return false;
    QString condition = QStringLiteral("q.\"Cod_grupa\" = :group AND q.\"Cod_articol\" = :article");
    QVariantMap values{{QStringLiteral(":group"), group}, {QStringLiteral(":article"), article}};
    if (price != -1 && m_view == CurrentStockQuery::View::ByPrice) {
        condition += QStringLiteral(" AND q.\"Pret_achizitie\" BETWEEN :low AND :high");
        values.insert(QStringLiteral(":low"), price - 1e-9);
        values.insert(QStringLiteral(":high"), price + 1e-9);
    }
    int row = -1;
    try {
        row = m_model->query().findFrom(0, condition, values);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    if (row < 0)
        return false;
    m_grid->selectRow(row);
    return true;
}

void TStocksForm::SearchEditChange(const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_model->rowCount() == 0)
        return;
    // The first row not before the text in the window's order, counted by SQL: the last
    // row when every one is before it.
    try {
        const int before = m_model->query().rowsBefore({text});
        m_grid->selectRow(qMin(before, m_model->rowCount() - 1));
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TStocksForm::PriceBtnClick()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Cauta..."), QStringLiteral("Pret de achizitie:"),
                                               QLineEdit::Normal, m_lastPrice, &ok);
    if (ok)
        searchPrice(text, false);
}

bool TStocksForm::searchPrice(const QString &text, bool fromNext)
{
    const std::optional<double> price = CurrentStockQuery::parsePrice(text);
    if (!price) {
        m_messages.warning(CurrentStockQuery::badPriceText(text));
        return false;
    }
    m_lastPrice = text;
    m_repeatBtn->setEnabled(true);
    const QString field = m_view == CurrentStockQuery::View::ByPrice ? QStringLiteral("Pret_achizitie")
                                                                     : QStringLiteral("Pret_vinzare");
    const int start = qMax(0, currentRow() + (fromNext ? 1 : 0));
    int row = -1;
    try {
        row = m_model->query().findFrom(start, QStringLiteral("q.%1 > :low AND q.%1 < :high").arg(SqlDialect::quote(field)),
                                        {{QStringLiteral(":low"), *price - 1e-9}, {QStringLiteral(":high"), *price + 1e-9}});
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    if (row < 0)
        return false;
    m_grid->selectRow(row);
    return true;
}

StockPick TStocksForm::currentPick() const
{
    StockPick pick;
    const int row = currentRow();
    if (row < 0 || row >= m_model->rowCount())
        return pick;
    const QSqlRecord r = m_model->record(row);
    pick.unit = unit();
    pick.group = r.value(QStringLiteral("Cod_grupa")).toString();
    pick.article = r.value(QStringLiteral("Cod_articol")).toString();
    pick.price = r.value(QStringLiteral("Pret_achizitie")).toDouble();
    pick.quantity = r.value(QStringLiteral("Cantitate")).toDouble();
    const QDate lot = QDate::fromString(r.value(QStringLiteral("Lot")).toString(), Qt::ISODate);
    pick.lot = lot.isValid() ? lot.toString(QStringLiteral("d.M.yyyy")) : QString();
    pick.agent = r.value(QStringLiteral("Agent")).toString();
    return pick;
}

void TStocksForm::refreshData()
{
    // Re-reading would close the cell being typed.
    if (m_editing)
        return;
    const StockPick current = currentPick();
    reload();
    locate(current.group, current.article, m_view == CurrentStockQuery::View::ByPrice ? current.price : -1);
}

QString TStocksForm::layoutPath() const
{
    return PrivateDirectory(m_privateDirectory)
        .layoutFile(m_view == CurrentStockQuery::View::ByPrice ? QStringLiteral("stocksPret")
                                                               : QStringLiteral("stocksArticole"));
}

void TStocksForm::saveLayout()
{
    if (m_layoutShown && m_model->columnCount() > 0)
        GridLayoutHeader::save(m_grid->horizontalHeader(), layoutPath());
}

void TStocksForm::restoreLayout()
{
    GridLayoutHeader::restore(m_grid->horizontalHeader(), layoutPath());
}

void TStocksForm::closeEvent(QCloseEvent *event)
{
    if (m_editing && !setEditing(false)) {
        event->ignore();
        return;
    }
    saveLayout();
    QDialog::closeEvent(event);
}

bool TStocksForm::setEditing(bool on)
{
    if (on == m_editing)
        return true;
    if (on) {
        if (!m_params || m_mode != Mode::Window || unit().isEmpty())
            return false;
        setView(CurrentStockQuery::View::ByPrice);
        QStringList fields;
        const QSqlRecord record = m_model->record();
        for (int i = 0; i < record.count(); ++i)
            fields << record.fieldName(i);
        m_newRows->setFields(fields);
        m_rows->addSourceModel(m_newRows);
        m_editing = true;
        m_unitCombo->setEnabled(false);
        m_viewCombo->setEnabled(false);
        m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
        m_grid->setStatusTip(QStringLiteral("Insert adauga un rand nou, Ctrl+Delete renunta la randul nou"));
        addNewRow();
        m_grid->setFocus();
    } else {
        if (!writeNewRows())
            return false;
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_grid->setStatusTip(QString());
        m_rows->removeSourceModel(m_newRows);
        m_editing = false;
        m_unitCombo->setEnabled(true);
        m_viewCombo->setEnabled(true);
        reload();
    }
    const QSignalBlocker block(m_editBtn);
    m_editBtn->setChecked(m_editing);
    return true;
}

int TStocksForm::addNewRow()
{
    if (!m_editing)
        return -1;
    commitOpenEditor();
    const int row = m_newRows->appendRow(StockInsertion(m_db, *m_params).newRow(unit()));
    m_grid->setCurrentIndex(m_rows->index(m_model->rowCount() + row, qMax(0, m_newRows->column(QStringLiteral("Cod_grupa")))));
    return row;
}

void TStocksForm::commitOpenEditor()
{
    // Hands an open cell editor's text to the model first.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != m_grid && m_grid->isAncestorOf(focus))
        QMetaObject::invokeMethod(m_grid, "commitData", Q_ARG(QWidget *, focus));
}

bool TStocksForm::writeNewRows()
{
    commitOpenEditor();
    StockInsertion insertion(m_db, *m_params);
    QString refusal;
    bool engineError = false;
    int refusedRow = -1;
    for (int row = 0; row < m_newRows->count();) {
        const StockInsertion::Row typed = m_newRows->row(row);
        if (typed.isBlank()) {
            m_newRows->removeRowAt(row);
            continue;
        }
        try {
            insertion.insert(typed);
            m_newRows->removeRowAt(row);
            continue;
        } catch (const DocumentRefusal &e) {
            if (refusedRow < 0) {
                refusal = e.text();
                refusedRow = row;
            }
        } catch (const DbError &e) {
            if (refusedRow < 0) {
                refusal = e.userText();
                engineError = true;
                refusedRow = row;
            }
        }
        ++row;
    }
    if (refusedRow < 0)
        return true;
    // The rows written so far show among the stock rows; the refused ones stay to be mended.
    reload();
    m_grid->setCurrentIndex(m_rows->index(m_model->rowCount() + refusedRow, 0));
    if (engineError)
        m_messages.error(refusal);
    else
        m_messages.warning(refusal);
    return false;
}

bool TStocksForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && m_editing && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const int row = currentRow();
        const int newRow = row - m_model->rowCount();
        if (key->key() == Qt::Key_Insert
            || (key->key() == Qt::Key_Down && row == m_rows->rowCount() - 1)) {
            addNewRow();
            return true;
        }
        // Only a row not yet written can be dropped; the stock rows stay as they are.
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            if (newRow >= 0)
                m_newRows->removeRowAt(newRow);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
