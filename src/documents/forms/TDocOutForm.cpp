#include "documents/forms/TDocOutForm.h"

#include "app/AddOnHost.h"
#include "app/Messages.h"
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
#include "catalogs/forms/TGestlookupForm.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/ExitLineEditing.h"
#include "documents/HeaderChecks.h"
#include "documents/ManagementUnits.h"
#include "documents/forms/DocOutCommands.h"
#include "documents/forms/DocOutHeadersModel.h"
#include "documents/forms/DocOutLinesModel.h"
#include "documents/forms/DocOutLookups.h"
#include "documents/forms/DocumentHints.h"
#include "documents/forms/DocumentNavigator.h"
#include "documents/forms/DocumentWindowMenu.h"
#include "documents/forms/OpenCellEditor.h"
#include "documents/forms/RefusalDisplay.h"

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
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using Col = DocOutLinesModel::Column;

TDocOutForm::TDocOutForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
                         PrintContext *print, AddOnHost *addOns, QWidget *parent)
    : QWidget(parent), m_db(db), m_params(parameters), m_messages(messages), m_workstation(workstation),
      m_print(print), m_addOns(addOns), m_service(db, parameters),
      m_lookups(std::make_unique<DocOutLookups>(*this)), m_commands(std::make_unique<DocOutCommands>(*this)),
      m_layoutPath(PrivateDirectory(workstation.privateDirectory()).layoutFile(layoutFileName()))
{
    setObjectName(QStringLiteral("TDocOutForm"));
    setWindowTitle(caption());
    m_baseCaption = caption();
    m_open = FormCreate();
}

TDocOutForm::~TDocOutForm()
{
    if (m_menuMerge)
        m_menuMerge->unmerge();
}

TDocOutForm *TDocOutForm::create(Database &db, Parameters &parameters, Messages &messages,
                                 const Workstation &workstation, PrintContext *print, AddOnHost *addOns,
                                 QWidget *parent)
{
    return openedOrNull(new TDocOutForm(db, parameters, messages, workstation, print, addOns, parent));
}

QString TDocOutForm::openErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la baza de date. Verificati server-ul sau un acces neautorizat la baza de date.\n<")
        + engineMessage + QLatin1Char('>');
}

void TDocOutForm::buildMenu()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("DocOutMenu"));
    m_documentMenu = m_menuBar->addMenu(QStringLiteral("&Document"));
    m_documentMenu->setObjectName(QStringLiteral("DocumentMenu"));
    m_documentMenu->menuAction()->setStatusTip(QStringLiteral("Listeaza factura sau chitanta fiscala"));
    AddOnMenuMerge::setGroupIndex(m_documentMenu->menuAction(), 1);
    m_menuMerge = new DocumentWindowMenu(this, m_menuBar);
    auto item = [this](QMenu *menu, const char *name, const QString &text, const QString &hint,
                       const QKeySequence &shortcut, auto slot) {
        QAction *action = DocumentWindowMenu::addItem(menu, name, text, hint, shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item(m_documentMenu, "Insereaza1", QStringLiteral("&Insereaza"), QStringLiteral("Insereaza document nou"),
         QKeySequence(Qt::CTRL | Qt::Key_Insert), [this] { newDocument(); });
    QMenu *show = m_documentMenu->addMenu(QStringLiteral("&Afiseaza"));
    show->setObjectName(QStringLiteral("Afiseaza1"));
    item(show, "Integral1", QStringLiteral("&Integral"), QStringLiteral("Permite afisarea tuturor documentelor"),
         QKeySequence(), [this] { showAll(); });
    item(show, "Perioada1", QStringLiteral("&Perioada"),
         QStringLiteral("Restringe documentele afisate la o perioada de timp specificata"), QKeySequence(),
         [this] { PeriodClick(); });
    QMenu *search = m_documentMenu->addMenu(QStringLiteral("Cauta"));
    search->setObjectName(QStringLiteral("Cauta1"));
    search->menuAction()->setStatusTip(QStringLiteral("Operatiuni de cautare document"));
    item(search, "PrimaAparitie1", QStringLiteral("&Prima aparitie..."),
         QStringLiteral("Cauta primul document care satisface criteriul specificat"), QKeySequence(Qt::CTRL | Qt::Key_Z),
         [this] { searchFirst(); });
    item(search, "Urmatoarea1", QStringLiteral("Urmatoarea"),
         QStringLiteral("Repeta cautarea de la precedentul document gasit."), QKeySequence(Qt::ALT | Qt::Key_Z),
         [this] { searchNext(); });
    item(m_documentMenu, "AplicaDiscount1", QStringLiteral("Aplica &discount"),
         QStringLiteral("Modifica preturile de vînzare cu discount-ul specificat"), QKeySequence(),
         [this] { applyDiscount(); });
    item(m_documentMenu, "Total1", QStringLiteral("&Total"),
         QStringLiteral("Calculeaza si afiseaza totalul valoric si al TVA pe documentul curent."),
         QKeySequence(Qt::CTRL | Qt::Key_T), [this] { showTotals(); });
    item(m_documentMenu, "Listeaza1", QStringLiteral("&Listeaza"),
         QStringLiteral("Listeaza factura, chitanta fiscala sau avizul de expeditie"), QKeySequence(),
         [this] { printDocument(); })
        ->setEnabled(m_print != nullptr);
    item(m_documentMenu, "Transfer1", QStringLiteral("T&ransfer"),
         QStringLiteral("Genereaza un document de intrare echivalent in alta gestiune"),
         QKeySequence(Qt::CTRL | Qt::Key_R), [this] { transfer(); });
}

void TDocOutForm::buildHeader()
{
    QHBoxLayout *navigator = DocumentNavigator::build(
        this,
        {[this] { first(); }, [this] { prior(); }, [this] { next(); }, [this] { last(); },
         [this] { newDocument(); }, [this] { deleteDocument(); }, [this] { saveHeader(); },
         [this] { cancelHeader(); },
         [this] {
             if (postCurrent())
                 refreshData();
         }});
    auto button = [this](const char *name, const QString &text, const QString &hint) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setFocusPolicy(Qt::ClickFocus);
        return b;
    };
    m_listBtn = button("ListeazaBtn", QStringLiteral("&Listeaza"), QStringLiteral("Printeaza"));
    m_listBtn->setEnabled(m_print != nullptr);
    connect(m_listBtn, &QPushButton::clicked, this, &TDocOutForm::printDocument);
    m_transferBtn = button("TransferBtn", QStringLiteral("&Transfer"), QStringLiteral("Operare tranferuri"));
    connect(m_transferBtn, &QPushButton::clicked, this, &TDocOutForm::transfer);
    navigator->addStretch(1);
    navigator->addWidget(m_listBtn);
    navigator->addWidget(m_transferBtn);

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
    // Typed (up to three characters) or chosen.
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("TipCombo"));
    m_typeCombo->setEditable(true);
    m_typeCombo->setInsertPolicy(QComboBox::NoInsert);
    m_typeCombo->addItems({QStringLiteral("BT"), QStringLiteral("NPR"), QStringLiteral("CSR")});
    m_typeCombo->lineEdit()->setMaxLength(3);
    m_typeCombo->setMaximumWidth(80);
    m_clientLabel = new QLabel(QStringLiteral("Gestiune primitoare:"), this);
    m_clientEdit = new QLineEdit(this);
    m_clientEdit->setObjectName(QStringLiteral("ClientEdit"));
    m_clientEdit->setMaxLength(4);
    m_clientEdit->setMaximumWidth(70);
    m_clientLabel->setBuddy(m_clientEdit);
    m_clientName = new QLabel(this);
    m_clientName->setObjectName(QStringLiteral("DenClnLabel"));
    m_clientName->setMinimumWidth(180);
    m_clientBtn = new QToolButton(this);
    m_clientBtn->setObjectName(QStringLiteral("GestBtn"));
    m_clientBtn->setText(QStringLiteral("..."));
    m_clientBtn->setFocusPolicy(Qt::ClickFocus);
    connect(m_clientBtn, &QToolButton::clicked, this, &TDocOutForm::GestBtnClick);
    m_agentCombo = new QComboBox(this);
    m_agentCombo->setObjectName(QStringLiteral("AgentCombo"));
    m_agentCombo->setMinimumWidth(180);
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
    auto *clientRow = new QHBoxLayout;
    clientRow->addWidget(m_clientLabel);
    clientRow->addWidget(m_clientEdit);
    clientRow->addWidget(m_clientBtn);
    clientRow->addWidget(m_clientName, 1);
    grid->addLayout(clientRow, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Beneficiar:"), m_headerBox), 1, 2, Qt::AlignRight);
    grid->addWidget(m_agentCombo, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Explicatie:"), m_headerBox), 2, 0, Qt::AlignRight);
    grid->addWidget(m_explanationEdit, 2, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    m_hints = new DocumentHints(this);
    m_hints->add(m_registeredEdit, DocumentHints::registrationDate());
    m_hints->add(m_numberEdit, DocumentHints::numberAndDate());
    m_hints->add(m_dateEdit, DocumentHints::numberAndDate());
    m_hints->add(m_clientEdit, DocOutLookups::receivingUnitHint());
    for (QWidget *field : std::initializer_list<QWidget *>{m_numberEdit, m_typeCombo, m_typeCombo->lineEdit(),
                                                           m_clientEdit, m_agentCombo, m_explanationEdit})
        field->installEventFilter(this);
    connect(m_numberEdit, &QLineEdit::textChanged, this, &TDocOutForm::headerEdited);
    connect(m_explanationEdit, &QLineEdit::textChanged, this, &TDocOutForm::headerEdited);
    connect(m_registeredEdit, &DateField::dateChanged, this, [this](const QDate &date) {
        // A registration date given to a document without its own date dates it too.
        if (!m_loading && date.isValid() && !m_dateEdit->date().isValid())
            m_dateEdit->setDate(date);
        headerEdited();
    });
    connect(m_dateEdit, &DateField::dateChanged, this, &TDocOutForm::headerEdited);
    connect(m_typeCombo, &QComboBox::currentTextChanged, this, [this] {
        showReceivingUnit();
        headerEdited();
    });
    connect(m_agentCombo, &QComboBox::currentIndexChanged, this, &TDocOutForm::headerEdited);
    connect(m_clientEdit, &QLineEdit::editingFinished, this, &TDocOutForm::receivingUnitEdited);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setMenuBar(m_menuBar);
    layout->addLayout(navigator);
    layout->addWidget(m_headerBox);
}

void TDocOutForm::buildGrid()
{
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
    for (int c = Col::PretVinzare; c < Col::ColumnCount; ++c)
        columns->setSectionHidden(c, true);
    columns->setSectionHidden(Col::TVA, true);

    QWidget::setTabOrder(m_registeredEdit, m_numberEdit);
    QWidget::setTabOrder(m_numberEdit, m_dateEdit);
    QWidget::setTabOrder(m_dateEdit, m_typeCombo);
    QWidget::setTabOrder(m_typeCombo, m_clientEdit);
    QWidget::setTabOrder(m_clientEdit, m_agentCombo);
    QWidget::setTabOrder(m_agentCombo, m_explanationEdit);
    QWidget::setTabOrder(m_explanationEdit, m_grid);
}

bool TDocOutForm::FormCreate()
{
    m_defaultDate = QDateTime::currentDateTime().date();
    buildMenu();
    buildHeader();
    m_headers = new DocOutHeadersModel(m_db, this);
    m_headerSelection = new QItemSelectionModel(m_headers, this);
    m_lines = new DocOutLinesModel(m_db, m_params, m_messages, this);
    buildGrid();

    try {
        // Lines left at zero quantity go before anything is shown.
        const std::optional<double> last = m_service.open();
        m_lines->loadLookups();
        loadCustodians();
        m_defaultUnit = m_service.firstUnit();
        m_headers->load(std::nullopt);
        if (!last || m_headers->rowCount() == 0) {
            m_open = true;
            if (!newDocument())
                clearDocument();
        } else {
            const int row = m_headers->rowOf(*last);
            showDocument(row >= 0 ? row : m_headers->rowCount() - 1);
        }
    } catch (const DbError &e) {
        m_messages.error(openErrorText(e.engineMessage()));
        return false;
    }
    if (m_addOns) {
        AddOnMenuMerge::offerDocOutForm(*m_addOns, this, m_menuBar, {m_headers, m_headerSelection},
                                        {m_lines, m_grid->selectionModel()});
    }

    // The window does not read its stored layout back: every opening sizes the columns.
    GridColumns::fit(m_grid, {{Col::GestName, 18}, {Col::CodGrupa, 10}, {Col::CodArticol, 12}, {Col::Denumire, 30},
                              {Col::Lot, 10}, {Col::Cantitate, 9}, {Col::Pret, 11}, {Col::Valoare, 11},
                              {Col::AgentName, 16}});
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TDocOutForm::rowChanged);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TDocOutForm::cellChanged);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { m_lookups->gridDoubleClicked(index); });
    connect(m_lines, &DocOutLinesModel::rowEdited, this, [this] { lineEdited(); });
    resize(1000, 520);
    return true;
}

void TDocOutForm::loadCustodians()
{
    const QString current = m_agentCombo->currentData().toString();
    const bool wasLoading = m_loading;
    m_loading = true;
    m_agentCombo->clear();
    m_agentCombo->addItem(QString(), QString());
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Init\", \"Name\" FROM \"User\" ORDER BY \"Name\" COLLATE RO"));
    while (q.next())
        m_agentCombo->addItem(q.value(1).toString(), q.value(0).toString());
    m_agentCombo->setCurrentIndex(qMax(0, m_agentCombo->findData(current)));
    m_loading = wasLoading;
}

double TDocOutForm::currentContor() const
{
    return m_currentRow >= 0 && m_currentRow < m_headers->rowCount() ? m_headers->header(m_currentRow).contor : 0;
}

int TDocOutForm::documentCount() const
{
    return m_headers->rowCount();
}

int TDocOutForm::currentRow() const
{
    return m_grid->currentIndex().row();
}

ExitDocumentHeader TDocOutForm::header() const
{
    ExitDocumentHeader h;
    h.contor = currentContor();
    h.registered = m_registeredEdit->date();
    bool ok = false;
    const double number = parseNumber(m_numberEdit->text(), &ok);
    if (ok)
        h.number = number;
    h.type = m_typeCombo->currentText().trimmed();
    h.date = m_dateEdit->date();
    h.client = m_clientEdit->text().trimmed();
    h.explanation = m_explanationEdit->text();
    h.dueDate = m_dueDate;
    h.agent = m_agentCombo->currentData().toString();
    return h;
}

void TDocOutForm::showHeaderFields(const ExitDocumentHeader &h)
{
    m_loading = true;
    m_contorEdit->setText(formatNumber(h.contor, QString()));
    m_registeredEdit->setDate(h.registered.isValid() ? h.registered : m_defaultDate);
    m_numberEdit->setText(h.number ? formatNumber(*h.number, QString()) : QString());
    m_dateEdit->setDate(h.date.isValid() ? h.date : m_defaultDate);
    m_typeCombo->setCurrentText(h.type);
    m_clientEdit->setText(h.client);
    m_acceptedClient = h.client;
    m_agentCombo->setCurrentIndex(qMax(0, m_agentCombo->findData(h.agent)));
    m_explanationEdit->setText(h.explanation);
    m_dueDate = h.dueDate;
    m_loading = false;
    showReceivingUnit();
    m_lines->setDocument(h.type, h.date);
}

void TDocOutForm::showReceivingUnit()
{
    // The receiving unit belongs to transfers only.
    const bool transfer = m_typeCombo->currentText().trimmed() == ExitDocumentHeader::transferType();
    for (QWidget *w : std::initializer_list<QWidget *>{m_clientLabel, m_clientEdit, m_clientBtn, m_clientName})
        w->setVisible(transfer);
    QString name;
    try {
        name = ManagementUnits(m_db).name(m_clientEdit->text().trimmed());
    } catch (const DbError &) {
        // Only the name beside the code; it shows again at the next refresh.
    }
    m_clientName->setText(name);
}

void TDocOutForm::showLines(double contor)
{
    m_returning = true;
    m_lines->setLines(m_service.lines(contor));
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentIndex(m_lines->index(0, Col::CodGrupa));
    m_returning = false;
}

void TDocOutForm::showDocument(int row)
{
    if (row < 0 || row >= m_headers->rowCount()) {
        clearDocument();
        return;
    }
    m_currentRow = row;
    m_headerBox->setEnabled(true);
    const ExitDocumentHeader &h = m_headers->header(row);
    showHeaderFields(h);
    showLines(h.contor);
    m_headerSelection->setCurrentIndex(m_headers->index(row, 0), QItemSelectionModel::ClearAndSelect);
    m_state = HeaderState::Browse;
}

int TDocOutForm::headerCount() const
{
    return m_headers->rowCount();
}

void TDocOutForm::clearDocument()
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

void TDocOutForm::reloadHeaders(double keep)
{
    std::optional<DocumentHeadersModel::Period> period;
    if (m_period.active())
        period = DocumentHeadersModel::Period{m_period.first(), m_period.last()};
    m_headers->load(period, keep);
    m_currentRow = m_headers->rowOf(keep);
}

void TDocOutForm::headerEdited()
{
    if (m_loading || m_currentRow < 0)
        return;
    m_lines->setDocument(m_typeCombo->currentText().trimmed(), m_dateEdit->date());
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
}

bool TDocOutForm::saveForCommand()
{
    // The commands read the stored document: it is saved first, a refusal stops them.
    if (!postCurrent())
        return false;
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
    return saveHeader();
}

bool TDocOutForm::newDocument()
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
        const ExitDocumentHeader created = m_service.newDocument(m_defaultDate);
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

bool TDocOutForm::saveHeader()
{
    if (m_currentRow < 0)
        return true;
    if (!postCurrent())
        return false;
    const ExitDocumentHeader h = header();
    try {
        const ExitDocumentService::HeaderSave saved = m_service.saveHeader(h);
        if (saved.outcome == ExitDocumentService::HeaderSave::Outcome::NeedsConfirmation) {
            // Asked with no transaction open; OK saves it as it is.
            if (!m_messages.okCancel(saved.question))
                return false;
            m_service.saveHeader(h, true);
        }
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
        if (refusal.text() == HeaderChecks::futureDateText())
            m_dateEdit->setFocus();
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

void TDocOutForm::cancelHeader()
{
    if (m_currentRow < 0)
        return;
    const double contor = currentContor();
    if (m_state == HeaderState::Insert) {
        if (!m_messages.okCancel(ExitDocumentService::deleteQuestionText()))
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

void TDocOutForm::deleteDocument()
{
    if (m_currentRow < 0 || m_headers->rowCount() == 0)
        return;
    if (!m_messages.okCancel(ExitDocumentService::deleteQuestionText()))
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

int TDocOutForm::addLine()
{
    if (!postCurrent())
        return -1;
    if (m_currentRow < 0 && !newDocument())
        return -1;
    const int row = m_lines->appendLine(ExitLineEditing::newLine(currentContor(), m_defaultUnit));
    m_returning = true;
    m_grid->setCurrentIndex(m_lines->index(row, Col::CodGrupa));
    m_returning = false;
    lineEdited();
    return row;
}

bool TDocOutForm::saveRow(int row)
{
    if (!m_lines->isDirty(row))
        return true;
    const ExitLine &typed = m_lines->line(row);
    if (!m_lines->preEditCopy(row) && !typed.contorSecundar && typed.group.isEmpty() && typed.article.isEmpty()
        && !typed.quantity) {
        // A new line left untouched holds nothing to save: it goes.
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
        return true;
    }
    using Outcome = ExitDocumentService::LineSave::Outcome;
    try {
        const ExitLine line = m_lines->line(row);
        ExitDocumentService::LineSave saved = m_service.saveLine(line);
        if (saved.outcome == Outcome::NeedsSplitAnswer) {
            // The question waits with nothing written; the answer goes to a save of its own.
            const bool yes = m_messages.yesNo(saved.question);
            saved = m_service.saveLine(line, yes ? ExitDocumentService::SplitAnswer::Yes
                                                 : ExitDocumentService::SplitAnswer::No);
        }
        if (saved.outcome != Outcome::Saved) {
            // Declined: the quantity is to be corrected.
            if (row == currentRow())
                moveCursor(row, Col::Cantitate);
            m_refusedColumn = Col::Cantitate;
            return false;
        }
        m_lines->markSaved(row, saved.line);
        for (const ExitLine &added : std::as_const(saved.added))
            m_lines->markSaved(m_lines->appendLine(added), added);
        m_defaultUnit = saved.line.unit;
        if (!saved.warning.isEmpty())
            m_messages.warning(saved.warning);
        return true;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return false;
}

bool TDocOutForm::postCurrent()
{
    // Hands an open cell editor's text to the model first.
    OpenCellEditor::commit(m_grid);
    return saveRow(currentRow());
}

void TDocOutForm::rowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_returning || !previous.isValid() || previous.row() == current.row())
        return;
    m_refusedColumn = -1;
    if (!saveRow(previous.row())) {
        // Back to the refused line, which stays as the user left it.
        const int column = m_refusedColumn >= 0 ? m_refusedColumn : previous.column();
        m_returning = true;
        m_grid->setCurrentIndex(m_lines->index(previous.row(), column));
        m_returning = false;
    }
    m_refusedColumn = -1;
}

void TDocOutForm::cellChanged(const QModelIndex &current)
{
    if (current.isValid())
        Status::show(DocOutLookups::columnHint(current.column()));
}

void TDocOutForm::moveCursor(int row, int column)
{
    if (row < 0 || row >= m_lines->rowCount())
        return;
    const bool wasReturning = m_returning;
    m_returning = true;
    m_grid->setCurrentIndex(m_lines->index(row, column));
    m_returning = wasReturning;
}

void TDocOutForm::deleteCurrentLine()
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
        const ExitLine &line = m_lines->line(row);
        m_service.deleteLine(line.contor, line.contorSecundar.value_or(0));
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

void TDocOutForm::cancelCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    OpenCellEditor::revert(m_grid);
    m_returning = true;
    m_lines->cancelChanges(row);
    m_returning = false;
}

bool TDocOutForm::setReceivingUnit(const QString &code)
{
    const QString trimmed = code.trimmed();
    QString refusal;
    try {
        refusal = m_service.receivingUnitRefusal(trimmed);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    if (!refusal.isEmpty()) {
        m_clientEdit->setText(m_acceptedClient);
        m_messages.warning(refusal);
        m_clientEdit->setFocus();
        return false;
    }
    m_acceptedClient = trimmed;
    m_clientEdit->setText(trimmed);
    showReceivingUnit();
    headerEdited();
    return true;
}

void TDocOutForm::receivingUnitEdited()
{
    if (!m_loading && m_clientEdit->text().trimmed() != m_acceptedClient)
        setReceivingUnit(m_clientEdit->text());
}

void TDocOutForm::GestBtnClick()
{
    auto *main = qobject_cast<TMainForm *>(window());
    if (!main)
        return;
    main->openChild(QStringLiteral("TGestlookupForm"), [this] {
        return static_cast<QWidget *>(TGestlookupForm::create(m_db, m_messages, m_workstation));
    });
}

void TDocOutForm::showTotals()
{
    m_commands->showTotals();
}

void TDocOutForm::applyDiscount()
{
    m_commands->applyDiscount();
}

void TDocOutForm::transfer()
{
    m_commands->transfer();
}

bool TDocOutForm::transferTo(const QString &receivingUnit)
{
    return m_commands->transferTo(receivingUnit);
}

void TDocOutForm::printDocument()
{
    m_commands->printDocument();
}

void TDocOutForm::setPeriod(const QDate &first, const QDate &last)
{
    m_commands->setPeriod(first, last);
}

void TDocOutForm::showAll()
{
    m_commands->showAll();
}

void TDocOutForm::PeriodClick()
{
    m_commands->askPeriod();
}

void TDocOutForm::searchFirst()
{
    m_commands->searchFirst();
}

bool TDocOutForm::searchFirst(const SearchCriteria &criteria)
{
    return m_commands->searchFirst(criteria);
}

bool TDocOutForm::searchNext()
{
    return m_commands->searchNext();
}

bool TDocOutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_clientEdit && event->type() == QEvent::MouseButtonDblClick) {
        m_lookups->receivingUnitLookup();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == m_clientEdit && enter && key->modifiers() & Qt::ControlModifier) {
        m_lookups->receivingUnitLookup();
        return true;
    }
    // Enter goes on to the next field of the header, as Tab does.
    if (enter && !(key->modifiers() & Qt::ControlModifier) && watched != m_grid) {
        if (watched == m_clientEdit && !setReceivingUnit(m_clientEdit->text()))
            return true;
        focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (watched == m_grid) {
        const int row = currentRow();
        const bool lastRow = row == m_lines->rowCount() - 1;
        // Down from the last line starts a new one, unless that line is new and untouched.
        const bool blankNew = row >= 0 && !m_lines->preEditCopy(row) && !m_lines->line(row).contorSecundar
            && m_lines->line(row).group.isEmpty() && m_lines->line(row).article.isEmpty();
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

void TDocOutForm::refreshData()
{
    if (!m_open || !DocumentWindowState::mayRefresh(m_state, m_lines->hasDirtyRow(), m_grid))
        return;
    const double contor = currentContor();
    const QModelIndex at = m_grid->currentIndex();
    try {
        m_lines->loadLookups();
        loadCustodians();
        reloadHeaders(contor);
        showDocument(m_currentRow >= 0 ? m_currentRow : m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    if (at.isValid())
        moveCursor(qMin(at.row(), m_lines->rowCount() - 1), at.column());
}

void TDocOutForm::closeEvent(QCloseEvent *event)
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
