#include "documents/forms/TDocInForm.h"

#include "app/AddOnHost.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/PrivateDirectory.h"
#include "app/Status.h"
#include "app/forms/AddOnMenuMerge.h"
#include "app/forms/DateField.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridColumns.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/GridLayoutHeader.h"
#include "app/forms/OpenedWindow.h"
#include "app/forms/TMainForm.h"
#include "catalogs/forms/TFurnLookupForm.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/EntryLineEditing.h"
#include "documents/EntryLineStore.h"
#include "documents/forms/DocInHeadersModel.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/RefusalDisplay.h"
#include "documents/forms/DocInLookups.h"
#include "documents/forms/DocumentHints.h"
#include "documents/forms/DocumentNavigator.h"
#include "documents/forms/DocumentWindowMenu.h"
#include "documents/forms/OpenCellEditor.h"
#include "documents/forms/ReceptionNotePrint.h"
#include "printing/forms/FixedAssetCardRun.h"
#include "documents/forms/TSeriiForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using Col = DocInLinesModel::Column;

TDocInForm::TDocInForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
                       PrintContext *print, AddOnHost *addOns, QWidget *parent)
    : QWidget(parent), m_db(db), m_params(parameters), m_messages(messages), m_workstation(workstation),
      m_print(print), m_addOns(addOns), m_service(db, parameters),
      m_lookups(std::make_unique<DocInLookups>(*this)),
      m_layoutPath(PrivateDirectory(workstation.privateDirectory()).layoutFile(layoutFileName()))
{
    setObjectName(QStringLiteral("TDocInForm"));
    setWindowTitle(caption());
    m_baseCaption = caption();
    m_open = FormCreate();
}

TDocInForm::~TDocInForm()
{
    if (m_menuMerge)
        m_menuMerge->unmerge();
}

TDocInForm *TDocInForm::create(Database &db, Parameters &parameters, Messages &messages,
                               const Workstation &workstation, PrintContext *print, AddOnHost *addOns,
                               QWidget *parent)
{
    return openedOrNull(new TDocInForm(db, parameters, messages, workstation, print, addOns, parent));
}

QString TDocInForm::openErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la baza de date. Verificati server-ul sau un acces neautorizat la baza de date.\n<")
        + engineMessage + QLatin1Char('>');
}

void TDocInForm::buildHeader()
{
    QHBoxLayout *navigator = DocumentNavigator::build(
        this,
        {[this] { first(); }, [this] { prior(); }, [this] { next(); }, [this] { last(); },
         [this] { newDocument(); }, [this] { deleteDocument(); }, [this] { saveHeader(); },
         [this] { cancelHeader(); },
         [this] {
             if (postCurrent())
                 refreshData();
         }},
        &m_navigator);

    m_receptieBtn = new QPushButton(QStringLiteral("&Receptie"), this);
    m_receptieBtn->setObjectName(QStringLiteral("ReceptieBtn"));
    m_receptieBtn->setToolTip(QStringLiteral("Printeaza"));
    m_receptieBtn->setStatusTip(QStringLiteral("Printeaza"));
    m_receptieBtn->setEnabled(m_print != nullptr);
    connect(m_receptieBtn, &QPushButton::clicked, this, &TDocInForm::ReceptieBtnClick);
    m_fisaBtn = new QPushButton(QStringLiteral("&Fisa mijloc fix"), this);
    m_fisaBtn->setObjectName(QStringLiteral("FisaBtn"));
    m_fisaBtn->setEnabled(m_print != nullptr);
    connect(m_fisaBtn, &QPushButton::clicked, this, &TDocInForm::FisaBtnClick);
    navigator->addStretch(1);
    navigator->addWidget(m_receptieBtn);
    navigator->addWidget(m_fisaBtn);

    m_contorEdit = new QLineEdit(this);
    m_contorEdit->setObjectName(QStringLiteral("ContorEdit"));
    m_contorEdit->setReadOnly(true);
    m_contorEdit->setFocusPolicy(Qt::ClickFocus); // Tab goes by the number nobody types
    m_contorEdit->setMaximumWidth(90);
    m_registeredEdit = new DateField(this);
    m_registeredEdit->setObjectName(QStringLiteral("DataInregEdit"));
    m_registeredEdit->setMessages(&m_messages);
    m_numberEdit = new QLineEdit(this);
    m_numberEdit->setObjectName(QStringLiteral("NumarEdit"));
    m_numberEdit->setMaximumWidth(110);
    m_numberEdit->setValidator(new QDoubleValidator(m_numberEdit));
    m_dateEdit = new DateField(this);
    m_dateEdit->setObjectName(QStringLiteral("DataEdit"));
    m_dateEdit->setMessages(&m_messages);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("TipCombo"));
    m_typeCombo->addItems({QString(), QStringLiteral("FCT"), QStringLiteral("NR"), QStringLiteral("BT")});
    m_supplierCombo = new QComboBox(this);
    m_supplierCombo->setObjectName(QStringLiteral("FurnizorCombo"));
    m_supplierCombo->setMinimumWidth(220);
    auto *supplierBtn = new QToolButton(this);
    supplierBtn->setObjectName(QStringLiteral("FurnBtn"));
    supplierBtn->setText(QStringLiteral("..."));
    connect(supplierBtn, &QToolButton::clicked, this, &TDocInForm::FurnBtnClick);
    m_explanationEdit = new QLineEdit(this);
    m_explanationEdit->setObjectName(QStringLiteral("ExplicatieEdit"));
    m_explanationEdit->setMaxLength(255);

    auto *registration = new QGroupBox(QStringLiteral("Inregistrare"), this);
    auto *regLayout = new QHBoxLayout(registration);
    regLayout->addWidget(new QLabel(QStringLiteral("Numar:"), registration));
    regLayout->addWidget(m_contorEdit);
    regLayout->addWidget(new QLabel(QStringLiteral("Data:"), registration));
    regLayout->addWidget(m_registeredEdit);
    regLayout->addStretch(1);
    auto *document = new QGroupBox(QStringLiteral("Document"), this);
    auto *docLayout = new QHBoxLayout(document);
    docLayout->addWidget(new QLabel(QStringLiteral("Numar:"), document));
    docLayout->addWidget(m_numberEdit);
    docLayout->addWidget(new QLabel(QStringLiteral("Data:"), document));
    docLayout->addWidget(m_dateEdit);
    docLayout->addWidget(new QLabel(QStringLiteral("Tip:"), document));
    docLayout->addWidget(m_typeCombo);
    docLayout->addStretch(1);

    m_headerBox = new QWidget(this);
    auto *grid = new QGridLayout(m_headerBox);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(registration, 0, 0);
    grid->addWidget(document, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Furnizor:"), m_headerBox), 1, 0, Qt::AlignRight);
    auto *supplierRow = new QHBoxLayout;
    supplierRow->addWidget(m_supplierCombo, 1);
    supplierRow->addWidget(supplierBtn);
    grid->addLayout(supplierRow, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Explicatie:"), m_headerBox), 1, 2, Qt::AlignRight);
    grid->addWidget(m_explanationEdit, 1, 3);
    grid->setColumnStretch(3, 1);

    for (QWidget *field : std::initializer_list<QWidget *>{m_registeredEdit, m_numberEdit, m_dateEdit, m_typeCombo,
                                                           m_supplierCombo, m_explanationEdit})
        field->installEventFilter(this);
    connect(m_numberEdit, &QLineEdit::textChanged, this, &TDocInForm::headerEdited);
    connect(m_explanationEdit, &QLineEdit::textChanged, this, &TDocInForm::headerEdited);
    connect(m_registeredEdit, &DateField::dateChanged, this, &TDocInForm::headerEdited);
    connect(m_dateEdit, &DateField::dateChanged, this, &TDocInForm::headerEdited);
    connect(m_typeCombo, &QComboBox::currentIndexChanged, this, &TDocInForm::headerEdited);
    connect(m_supplierCombo, &QComboBox::currentIndexChanged, this, &TDocInForm::headerEdited);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setMenuBar(m_menuBar);
    layout->addLayout(navigator);
    layout->addWidget(m_headerBox);
}

void TDocInForm::buildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("DocInMenu"));
    m_documentMenu = m_menuBar->addMenu(QStringLiteral("&Document"));
    m_documentMenu->setObjectName(QStringLiteral("DocumentMenu"));
    AddOnMenuMerge::setGroupIndex(m_documentMenu->menuAction(), 1);
    m_menuMerge = new DocumentWindowMenu(this, m_menuBar);
    auto item = [this](QMenu *menu, const char *name, const QString &text, const QString &hint,
                       const QKeySequence &shortcut, auto slot) {
        QAction *action = DocumentWindowMenu::addItem(menu, name, text, hint, shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item(m_documentMenu, "Insereaza1", QStringLiteral("&Insereaza"), QStringLiteral("Insereaza document nou."),
         QKeySequence(Qt::CTRL | Qt::Key_Insert), [this] { newDocument(); });
    item(m_documentMenu, "Total1", QStringLiteral("&Total"),
         QStringLiteral("Calculeaza si afiseaza totalul valoric si al TVA pe documentul curent."),
         QKeySequence(Qt::CTRL | Qt::Key_T), [this] { showTotals(); });
    QMenu *show = m_documentMenu->addMenu(QStringLiteral("&Afiseaza"));
    show->setObjectName(QStringLiteral("Afiseaza1"));
    item(show, "Integral1", QStringLiteral("&Integral"), QStringLiteral("Permite afisarea tuturor documentelor"),
         QKeySequence(), [this] { showAll(); });
    item(show, "Perioada1", QStringLiteral("&Perioada"),
         QStringLiteral("Restringe documentele afisate la o perioada de timp specificata"), QKeySequence(),
         [this] { PeriodClick(); });
    QMenu *search = m_documentMenu->addMenu(QStringLiteral("&Cauta"));
    search->setObjectName(QStringLiteral("Cauta1"));
    item(search, "PrimaAparitie1", QStringLiteral("&Prima aparitie..."),
         QStringLiteral("Cauta primul document care satisface criteriul specificat"), QKeySequence(Qt::CTRL | Qt::Key_Z),
         [this] { searchFirst(); });
    item(search, "Urmatoarea1", QStringLiteral("&Urmatoarea"),
         QStringLiteral("Repeta cautarea de la precedentul document gasit."), QKeySequence(Qt::ALT | Qt::Key_Z),
         [this] { searchNext(); });
    m_listAction = item(m_documentMenu, "Listeaza1", QStringLiteral("&Listeaza"),
                        QStringLiteral("Listeaza nota de receptie"), QKeySequence(), [this] { ReceptieBtnClick(); });
    m_listAction->setEnabled(m_print != nullptr);
    item(m_documentMenu, "SelectieArticol1", QStringLiteral("Selectie articol"), QString(),
         QKeySequence(Qt::CTRL | Qt::Key_G), [this] { m_lookups->articleSearch(); });
    m_seriiAction = item(m_documentMenu, "Serii1", QStringLiteral("Serii"), QString(), QKeySequence(),
                         [this] { SeriiClick(); });
    m_seriiAction->setEnabled(m_params.serii);
}

bool TDocInForm::FormCreate()
{
    m_defaultDate = QDateTime::currentDateTime().date();
    buildMenu();
    buildHeader();

    m_headers = new DocInHeadersModel(m_db, this);
    m_headerSelection = new QItemSelectionModel(m_headers, this);
    m_lines = new DocInLinesModel(m_db, m_params, m_messages, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("ItemsGrid"));
    m_grid->setModel(m_lines);
    m_grid->setItemDelegate(new GridCellDelegate(m_messages, m_grid));
    new GridKeyboard(m_grid);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->installEventFilter(this);
    static_cast<QVBoxLayout *>(layout())->addWidget(m_grid, 1);

    auto gridItem = [this](const char *name, const QString &text, auto slot) {
        auto *action = new QAction(text, m_grid);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        m_grid->addAction(action);
    };
    gridItem("InsereazaLinie", QStringLiteral("Insereaza"), [this] { addLine(); });
    gridItem("StergeLinie", QStringLiteral("Sterge"), [this] { deleteCurrentLine(); });
    gridItem("AnuleazaLinie", QStringLiteral("Anuleaza"), [this] { cancelCurrentLine(); });
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *shortcut = new QShortcut(keys, m_grid);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { m_lookups->openLookup(); });
    }

    QHeaderView *columns = m_grid->horizontalHeader();
    for (int c : {Col::CodBare, Col::UM, Col::Valuta, Col::PretEchiv, Col::Comanda, Col::Serii, Col::TVA,
                  Col::ContTvaIntrari, Col::ContMarfa})
        columns->setSectionHidden(c, true);
    // The columns the window's own commands lead to are shown while their module is on.
    columns->setSectionHidden(Col::CodBare, !m_params.codBare);
    columns->setSectionHidden(Col::Comanda, !m_params.com);
    columns->setSectionHidden(Col::Serii, !m_params.serii);
    columns->setSectionHidden(Col::PretValuta, !m_params.pretFaraTva);

    try {
        m_lines->loadLookups();
        loadSuppliers();
        m_defaultUnit = m_service.firstUnit();
        m_headers->load(std::nullopt);
        if (m_headers->rowCount() == 0) {
            m_open = true;
            if (!newDocument())
                clearDocument();
        } else {
            showDocument(m_headers->rowCount() - 1);
        }
    } catch (const DbError &e) {
        m_messages.error(openErrorText(e.engineMessage()));
        return false;
    }
    if (m_addOns) {
        AddOnMenuMerge::offerDocInForm(*m_addOns, this, m_menuBar, {m_headers, m_headerSelection},
                                       {m_lines, m_grid->selectionModel()});
    }

    // The window does not read its stored layout back: every opening sizes the columns.
    GridColumns::fit(m_grid, {{Col::GestName, 18}, {Col::CodGrupa, 10}, {Col::CodArticol, 10}, {Col::Denumire, 30},
                              {Col::PretValuta, 11}, {Col::PretLei, 11}, {Col::Valoare, 11}, {Col::AgentName, 16},
                              {Col::Lot, 10}});
    GridColumns::keepFitting(m_grid);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDocInForm::rowChanged);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TDocInForm::cellChanged);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { m_lookups->gridDoubleClicked(index); });
    connect(m_lines, &DocInLinesModel::rowEdited, this, [this] { lineEdited(); });
    connect(m_lines, &DocInLinesModel::cursorWanted, this, &TDocInForm::moveCursor, Qt::QueuedConnection);
    resize(1000, 520);
    return true;
}

void TDocInForm::loadSuppliers()
{
    const QString current = m_supplierCombo->currentData().toString();
    const bool wasLoading = m_loading;
    m_loading = true;
    m_supplierCombo->clear();
    m_supplierCombo->addItem(QString(), QString());
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cod_furnizor\", \"Nume_furnizor\" FROM \"Furn\" "
                                          "ORDER BY \"Nume_furnizor\" COLLATE RO"));
    while (q.next())
        m_supplierCombo->addItem(q.value(1).toString(), q.value(0).toString());
    m_supplierCombo->setCurrentIndex(qMax(0, m_supplierCombo->findData(current)));
    m_loading = wasLoading;
}

double TDocInForm::currentContor() const
{
    return m_currentRow >= 0 && m_currentRow < m_headers->rowCount() ? m_headers->header(m_currentRow).contor : 0;
}

int TDocInForm::documentCount() const
{
    return m_headers->rowCount();
}

int TDocInForm::currentRow() const
{
    return m_grid->currentIndex().row();
}

EntryDocumentHeader TDocInForm::header() const
{
    EntryDocumentHeader h;
    h.contor = currentContor();
    h.registered = m_registeredEdit->date();
    bool ok = false;
    const double number = parseNumber(m_numberEdit->text(), &ok);
    if (ok)
        h.number = number;
    h.type = m_typeCombo->currentText();
    h.date = m_dateEdit->date();
    h.supplier = m_supplierCombo->currentData().toString();
    h.explanation = m_explanationEdit->text();
    return h;
}

void TDocInForm::showHeaderFields(const EntryDocumentHeader &h)
{
    m_loading = true;
    m_contorEdit->setText(formatNumber(h.contor, QString()));
    m_registeredEdit->setDate(h.registered.isValid() ? h.registered : m_defaultDate);
    m_numberEdit->setText(h.number ? formatNumber(*h.number, QString()) : QString());
    m_dateEdit->setDate(h.date.isValid() ? h.date : m_defaultDate);
    m_typeCombo->setCurrentIndex(qMax(0, m_typeCombo->findText(h.type)));
    m_supplierCombo->setCurrentIndex(qMax(0, m_supplierCombo->findData(h.supplier)));
    m_explanationEdit->setText(h.explanation);
    m_loading = false;
    m_lines->setDocument(h.type, h.date);
}

void TDocInForm::showDocument(int row)
{
    if (row < 0 || row >= m_headers->rowCount()) {
        clearDocument();
        return;
    }
    m_currentRow = row;
    m_headerBox->setEnabled(true);
    const EntryDocumentHeader &h = m_headers->header(row);
    showHeaderFields(h);
    m_returning = true;
    m_lines->setLines(EntryLineStore(m_db).lines(h.contor));
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentIndex(m_lines->index(0, Col::CodGrupa));
    m_returning = false;
    m_headerSelection->setCurrentIndex(m_headers->index(row, 0), QItemSelectionModel::ClearAndSelect);
    m_state = HeaderState::Browse;
}

int TDocInForm::headerCount() const
{
    return m_headers->rowCount();
}

void TDocInForm::clearDocument()
{
    m_currentRow = -1;
    showHeaderFields({});
    m_contorEdit->clear();
    m_headerBox->setEnabled(false);
    m_returning = true;
    m_lines->setLines({});
    m_returning = false;
    m_headerSelection->clearCurrentIndex();
    m_state = HeaderState::Browse;
}

void TDocInForm::reloadHeaders(double keep)
{
    std::optional<DocInHeadersModel::Period> period;
    if (m_period.active())
        period = DocInHeadersModel::Period{m_period.first(), m_period.last()};
    m_headers->load(period, keep);
    m_currentRow = m_headers->rowOf(keep);
}

void TDocInForm::headerEdited()
{
    if (m_loading || m_currentRow < 0)
        return;
    m_lines->setDocument(m_typeCombo->currentText(), m_dateEdit->date());
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
}

bool TDocInForm::newDocument()
{
    if (m_state != HeaderState::Browse) {
        if (!m_messages.okCancel(QStringLiteral("Salvez documentul curent?")))
            return false;
        if (!postCurrent() || !saveHeader())
            return false;
    } else if (!postCurrent()) {
        return false;
    }
    try {
        const EntryDocumentHeader created = m_service.newDocument(m_defaultDate);
        reloadHeaders(created.contor);
        showDocument(m_currentRow);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    m_state = HeaderState::Insert;
    m_registeredEdit->setFocus();
    return true;
}

bool TDocInForm::saveHeader()
{
    if (m_currentRow < 0)
        return true;
    if (!postCurrent())
        return false;
    const EntryDocumentHeader h = header();
    try {
        m_service.saveHeader(h);
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
        return false;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    m_defaultDate = h.registered;
    m_state = HeaderState::Browse;
    try {
        reloadHeaders(h.contor);
        m_headerSelection->setCurrentIndex(m_headers->index(m_currentRow, 0), QItemSelectionModel::ClearAndSelect);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return true;
}

void TDocInForm::cancelHeader()
{
    if (m_currentRow < 0)
        return;
    const double contor = currentContor();
    if (m_state == HeaderState::Insert) {
        if (!m_messages.okCancel(QStringLiteral("Sterg documentul curent?")))
            return;
        // A line typed but never left is dropped with its document.
        cancelCurrentLine();
        try {
            m_service.abandonDocument(contor);
            reloadHeaders(0);
            showDocument(m_headers->rowCount() - 1);
        } catch (const DocumentRefusal &refusal) {
            showRefusal(refusal, m_messages);
            return;
        } catch (const DbError &e) {
            m_messages.error(e.userText());
            return;
        }
        m_registeredEdit->setFocus();
        return;
    }
    if (m_state == HeaderState::Edit) {
        try {
            if (const auto stored = m_service.loadHeader(contor))
                showHeaderFields(*stored);
        } catch (const DbError &e) {
            m_messages.error(e.userText());
        }
        m_state = HeaderState::Browse;
    }
}

void TDocInForm::deleteDocument()
{
    if (m_currentRow < 0 || m_headers->rowCount() == 0)
        return;
    if (!m_messages.okCancel(QStringLiteral("Sterg documentul curent?")))
        return;
    const int row = m_currentRow;
    if (m_lines->isDirty(currentRow()))
        cancelCurrentLine();
    try {
        m_service.deleteDocument(currentContor());
        reloadHeaders(0);
        showDocument(qMin(row, m_headers->rowCount() - 1));
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

int TDocInForm::addLine()
{
    if (!postCurrent())
        return -1;
    if (m_currentRow < 0 && !newDocument())
        return -1;
    const int row = m_lines->appendLine(EntryLineEditing::newLine(currentContor(), m_defaultUnit));
    m_returning = true;
    m_grid->setCurrentIndex(m_lines->index(row, Col::CodGrupa));
    m_returning = false;
    lineEdited();
    return row;
}

bool TDocInForm::saveRow(int row)
{
    if (!m_lines->isDirty(row))
        return true;
    try {
        const EntryLine saved = m_service.saveLine(m_lines->line(row));
        m_lines->markSaved(row, saved);
        m_defaultUnit = saved.unit;
        return true;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return false;
}

bool TDocInForm::postCurrent()
{
    // Hands an open cell editor's text to the model first.
    OpenCellEditor::commit(m_grid);
    return saveRow(currentRow());
}

void TDocInForm::rowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_returning || m_bulk || !previous.isValid() || previous.row() == current.row())
        return;
    if (!saveRow(previous.row())) {
        // Back to the refused line, which stays as the user left it.
        m_returning = true;
        m_grid->setCurrentIndex(m_lines->index(previous.row(), previous.column()));
        m_returning = false;
    }
}

void TDocInForm::cellChanged(const QModelIndex &current)
{
    if (m_bulk || !current.isValid())
        return;
    Status::show(DocInLookups::columnHint(current.column()));
}

void TDocInForm::moveCursor(int row, int column)
{
    if (row >= 0 && row < m_lines->rowCount())
        m_grid->setCurrentIndex(m_lines->index(row, column));
}

void TDocInForm::deleteCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (!m_lines->preEditCopy(row)) {
        cancelCurrentLine();
        return;
    }
    if (!m_messages.okCancel(QStringLiteral("Stergeti înregistrarea curenta?")))
        return;
    try {
        m_service.deleteLine(m_lines->line(row).contor, m_lines->line(row).contorSecundar.value_or(0));
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TDocInForm::cancelCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    OpenCellEditor::revert(m_grid);
    m_returning = true;
    m_lines->cancelChanges(row);
    m_returning = false;
}

void TDocInForm::insertSelection(const QList<QPair<QString, QString>> &articles)
{
    m_lookups->insertSelection(articles);
}

void TDocInForm::showTotals()
{
    if (m_currentRow < 0 || !postCurrent())
        return;
    try {
        const EntryComputations computations(m_db, m_params);
        m_messages.information(computations.totalsText(computations.totals(currentContor()), NationalFormats::current()));
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TDocInForm::setPeriod(const QDate &first, const QDate &last)
{
    if (!leaveDocument())
        return;
    const double keep = currentContor();
    m_period.apply(first, last);
    try {
        reloadHeaders(0);
        const int row = m_headers->rowOf(keep);
        showDocument(row >= 0 ? row : m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    setWindowTitle(DocumentPeriod::caption(m_baseCaption, first, last));
}

void TDocInForm::showAll()
{
    if (!m_period.active() || !leaveDocument())
        return;
    const double keep = currentContor();
    m_period.clear();
    try {
        reloadHeaders(keep);
        showDocument(m_currentRow >= 0 ? m_currentRow : m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    m_baseCaption = allDocumentsCaption();
    setWindowTitle(m_baseCaption);
}

void TDocInForm::PeriodClick()
{
    QDate first;
    QDate last;
    if (m_period.ask(first, last, m_messages, this))
        setPeriod(first, last);
}

void TDocInForm::searchFirst()
{
    SearchCriteria criteria;
    if (m_search.ask(criteria, m_params.serii, m_messages, this))
        searchFirst(criteria);
}

bool TDocInForm::searchFirst(const SearchCriteria &criteria)
{
    m_search.restart(criteria);
    return searchNext();
}

bool TDocInForm::searchNext()
{
    std::optional<DocumentSearch::Found> found;
    try {
        found = m_search.next(m_db, m_period);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    if (!found) {
        QApplication::beep();
        return false;
    }
    if (!leaveDocument())
        return false;
    m_search.found(found->contor);
    int row = m_headers->rowOf(found->contor);
    if (row < 0) {
        reloadHeaders(found->contor);
        row = m_currentRow;
    }
    showDocument(row);
    if (found->lineNumber) {
        const int line = m_lines->rowOfLine(*found->lineNumber);
        if (line >= 0)
            moveCursor(line, Col::CodArticol);
    }
    return true;
}

void TDocInForm::ReceptieBtnClick()
{
    if (!m_print || m_currentRow < 0 || !postCurrent())
        return;
    // The note reads the stored header: it is saved first, a refusal stops the printing.
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
    if (!saveHeader())
        return;
    printReceptionNote(this, m_db, m_params, *m_print, m_messages, currentContor());
}

void TDocInForm::FisaBtnClick()
{
    // The cards of every line of the document, read after the header is saved.
    if (!m_print || m_currentRow < 0 || !postCurrent())
        return;
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
    if (!saveHeader())
        return;
    try {
        const QVector<EntryLineKey> lines = FixedAssetCards::linesOfDocument(m_db, currentContor());
        if (!lines.isEmpty())
            printFixedAssetCards(this, m_db, m_params, *m_print, m_messages, lines);
    } catch (const DbError &e) {
        m_messages.error(e.reportText());
    }
}

void TDocInForm::SeriiClick()
{
    if (!m_params.serii || m_currentRow < 0 || !postCurrent())
        return;
    TSeriiForm *form = TSeriiForm::show(m_db, m_messages, currentContor(), nullptr);
    if (!form)
        return;
    QMdiArea *area = m_menuMerge->mdiArea();
    if (area && !qobject_cast<QMdiSubWindow *>(form->parentWidget())) {
        QMdiSubWindow *sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        area->setActiveSubWindow(sub);
    } else {
        static_cast<QWidget *>(form)->show();
        form->raise();
    }
}

void TDocInForm::FurnBtnClick()
{
    auto *main = qobject_cast<TMainForm *>(window());
    if (!main)
        return;
    main->openChild(QStringLiteral("TFurnLookupForm"), [this] {
        return static_cast<QWidget *>(TFurnLookupForm::create(m_db, m_params, m_messages, m_workstation));
    });
}

QString TDocInForm::headerHint(QObject *field) const
{
    if (field == m_typeCombo)
        return QStringLiteral("Specificati tipul documentului (factura, aviz de expeditie, nota de receptie, lista zilnica, etc.");
    if (field == m_supplierCombo)
        return QStringLiteral("Selectati furnizorul din lista !");
    if (field == m_registeredEdit)
        return DocumentHints::registrationDate();
    if (field == m_numberEdit || field == m_dateEdit)
        return DocumentHints::numberAndDate();
    return QString();
}

bool TDocInForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const QString hint = headerHint(watched);
        if (!hint.isEmpty())
            Status::show(hint);
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == m_supplierCombo && enter) {
        m_explanationEdit->setFocus();
        return true;
    }
    // Enter goes on to the next field of the header, as Tab does.
    if (enter && !(key->modifiers() & Qt::ControlModifier)
        && (watched == m_numberEdit || watched == m_typeCombo || watched == m_explanationEdit
            || watched == m_registeredEdit || watched == m_dateEdit)) {
        if (auto *date = qobject_cast<DateField *>(watched); date && !date->commitText())
            return true;
        focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (watched == m_grid) {
        const int row = currentRow();
        const bool lastRow = row == m_lines->rowCount() - 1;
        // Down from the last line starts a new one, unless that line is new and untouched.
        const bool blankNew = row >= 0 && !m_lines->preEditCopy(row) && !m_lines->line(row).contorSecundar
            && m_lines->line(row).group.isEmpty() && m_lines->line(row).name.isEmpty();
        if (key->key() == Qt::Key_Insert && !(key->modifiers() & Qt::ControlModifier)) {
            addLine();
            return true;
        }
        if (key->key() == Qt::Key_Down && (m_lines->rowCount() == 0 || (lastRow && !blankNew))) {
            addLine();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() & Qt::ControlModifier) {
            deleteCurrentLine();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            cancelCurrentLine();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TDocInForm::refreshData()
{
    if (!m_open || m_bulk || !DocumentWindowState::mayRefresh(m_state, m_lines->hasDirtyRow(), m_grid))
        return;
    const double contor = currentContor();
    const QModelIndex at = m_grid->currentIndex();
    try {
        m_lines->loadLookups();
        loadSuppliers();
        reloadHeaders(contor);
        showDocument(m_currentRow >= 0 ? m_currentRow : m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    if (at.isValid())
        moveCursor(qMin(at.row(), m_lines->rowCount() - 1), at.column());
}

void TDocInForm::closeEvent(QCloseEvent *event)
{
    if (m_open) {
        if (!postCurrent()) {
            event->ignore();
            return;
        }
        const DocumentWindowState::Closing step = DocumentWindowState::closingStep(m_state, m_lines->rowCount());
        if (step == DocumentWindowState::Closing::Abandon) {
            try {
                m_service.abandonDocument(currentContor());
            } catch (const DocumentRefusal &refusal) {
                showRefusal(refusal, m_messages);
            } catch (const DbError &e) {
                m_messages.error(e.userText());
            }
            m_state = HeaderState::Browse;
        } else if (step == DocumentWindowState::Closing::SaveHeader && !saveHeader()) {
            event->ignore();
            return;
        }
        GridLayoutHeader::save(m_grid->horizontalHeader(), m_layoutPath);
    }
    m_menuMerge->unmerge();
    QWidget::closeEvent(event);
}
