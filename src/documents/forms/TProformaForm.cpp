#include "documents/forms/TProformaForm.h"

#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/PrivateDirectory.h"
#include "app/Status.h"
#include "app/forms/DateField.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridColumns.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/GridLayoutHeader.h"
#include "app/forms/OpenedWindow.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/ExitLineEditing.h"
#include "documents/ExitPriceChoice.h"
#include "documents/HeaderChecks.h"
#include "documents/forms/DocumentHints.h"
#include "documents/forms/DocumentNavigator.h"
#include "documents/forms/OpenCellEditor.h"
#include "documents/forms/ProposalHeadersModel.h"
#include "documents/forms/ProposalLinesModel.h"
#include "documents/forms/RefusalDisplay.h"
#include "documents/forms/TSelPretDlg.h"
#include "documents/forms/TStocksForm.h"
#include "printing/PrintContext.h"
#include "printing/ProposalList.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QCloseEvent>
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
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

using Col = ProposalLinesModel::Column;

TProformaForm::TProformaForm(Database &db, Parameters &parameters, Messages &messages, const Workstation &workstation,
                             PrintContext *print, QWidget *parent)
    : QWidget(parent), m_db(db), m_params(parameters), m_messages(messages), m_workstation(workstation),
      m_print(print), m_service(db, parameters),
      m_layoutPath(PrivateDirectory(workstation.privateDirectory()).layoutFile(layoutFileName()))
{
    setObjectName(QStringLiteral("TProformaForm"));
    setWindowTitle(caption());
    m_open = FormCreate();
}

TProformaForm::~TProformaForm() = default;

TProformaForm *TProformaForm::create(Database &db, Parameters &parameters, Messages &messages,
                                     const Workstation &workstation, PrintContext *print, QWidget *parent)
{
    return openedOrNull(new TProformaForm(db, parameters, messages, workstation, print, parent));
}

QString TProformaForm::openErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la baza de date. Verificati server-ul sau un acces neautorizat la baza de date.\n<")
        + engineMessage + QLatin1Char('>');
}

void TProformaForm::buildHeader()
{
    auto *layout = new QVBoxLayout(this);
    QHBoxLayout *navigator = DocumentNavigator::build(
        this, {[this] { first(); }, [this] { prior(); }, [this] { next(); }, [this] { last(); },
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
    m_listBtn = button("ListeazaBtn", QStringLiteral("&Listeaza propunere"), QStringLiteral("Listeaza propunerea de casare "));
    m_listBtn->setEnabled(m_print != nullptr);
    connect(m_listBtn, &QPushButton::clicked, this, &TProformaForm::printProposal);
    m_scrapBtn = button("CasareBtn", QStringLiteral("&Creaza document casare"), QStringLiteral("Editeaza documentul de casare"));
    connect(m_scrapBtn, &QPushButton::clicked, this, &TProformaForm::createScrapping);
    navigator->addStretch(1);
    navigator->addWidget(m_listBtn);
    navigator->addWidget(m_scrapBtn);
    layout->addLayout(navigator);

    m_contorEdit = new QLineEdit(this);
    m_contorEdit->setObjectName(QStringLiteral("ContorEdit"));
    m_contorEdit->setReadOnly(true);
    m_contorEdit->setFocusPolicy(Qt::ClickFocus);
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
    m_explanationEdit = new QLineEdit(this);
    m_explanationEdit->setObjectName(QStringLiteral("ExplicatieEdit"));
    m_explanationEdit->setMaxLength(255);

    m_headerBox = new QWidget(this);
    auto *fields = new QHBoxLayout(m_headerBox);
    fields->setContentsMargins(0, 0, 0, 0);
    auto group = [this](const QString &title, QWidget *number, QWidget *date) {
        auto *box = new QGroupBox(title, m_headerBox);
        auto *grid = new QGridLayout(box);
        auto *numberLabel = new QLabel(QStringLiteral("Numar:"), box);
        numberLabel->setBuddy(number);
        auto *dateLabel = new QLabel(QStringLiteral("Data:"), box);
        dateLabel->setBuddy(date);
        grid->addWidget(numberLabel, 0, 0);
        grid->addWidget(number, 0, 1);
        grid->addWidget(dateLabel, 0, 2);
        grid->addWidget(date, 0, 3);
        return box;
    };
    fields->addWidget(group(QStringLiteral("Inregistrare"), m_contorEdit, m_registeredEdit));
    fields->addWidget(group(QStringLiteral("Document"), m_numberEdit, m_dateEdit));
    auto *explanationLabel = new QLabel(QStringLiteral("Explicatie:"), m_headerBox);
    explanationLabel->setBuddy(m_explanationEdit);
    fields->addWidget(explanationLabel);
    fields->addWidget(m_explanationEdit, 1);
    layout->addWidget(m_headerBox);

    auto *hints = new DocumentHints(this);
    hints->add(m_registeredEdit, DocumentHints::registrationDate());
    hints->add(m_numberEdit, DocumentHints::numberAndDate());
    hints->add(m_dateEdit, DocumentHints::numberAndDate());

    for (QWidget *field : {static_cast<QWidget *>(m_registeredEdit), static_cast<QWidget *>(m_numberEdit),
                           static_cast<QWidget *>(m_dateEdit), static_cast<QWidget *>(m_explanationEdit)})
        field->installEventFilter(this);
    connect(m_numberEdit, &QLineEdit::textEdited, this, &TProformaForm::headerEdited);
    connect(m_explanationEdit, &QLineEdit::textEdited, this, &TProformaForm::headerEdited);
    connect(m_dateEdit, &DateField::dateChanged, this, &TProformaForm::headerEdited);
    connect(m_registeredEdit, &DateField::dateChanged, this, [this](const QDate &date) {
        // A registration date typed before the document's date fills it too.
        if (!m_loading && date.isValid() && !m_dateEdit->date().isValid())
            m_dateEdit->setDate(date);
        headerEdited();
    });
}

void TProformaForm::buildGrid()
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
        connect(shortcut, &QShortcut::activated, this, &TProformaForm::openLookup);
    }
    QHeaderView *columns = m_grid->horizontalHeader();
    for (int c = Col::CodGestiune; c < Col::ColumnCount; ++c)
        columns->setSectionHidden(c, true);

    QWidget::setTabOrder(m_registeredEdit, m_numberEdit);
    QWidget::setTabOrder(m_numberEdit, m_dateEdit);
    QWidget::setTabOrder(m_dateEdit, m_explanationEdit);
    QWidget::setTabOrder(m_explanationEdit, m_grid);
}

bool TProformaForm::FormCreate()
{
    m_defaultDate = QDateTime::currentDateTime().date();
    buildHeader();
    m_headers = new ProposalHeadersModel(m_db, this);
    m_headerSelection = new QItemSelectionModel(m_headers, this);
    m_lines = new ProposalLinesModel(m_db, m_params, m_messages, this);
    buildGrid();
    try {
        const std::optional<double> last = m_service.open();
        m_lines->loadLookups();
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
    // Sized on the lines shown; a layout saved by an earlier closing wins over that.
    GridColumns::fit(m_grid, {{Col::GestName, 18}, {Col::CodGrupa, 8}, {Col::CodArticol, 12}, {Col::Den, 30},
                              {Col::Pret, 14}, {Col::Cantitate, 9}, {Col::Val, 14}, {Col::Lot, 10},
                              {Col::AgentName, 16}});
    GridLayoutHeader::restore(m_grid->horizontalHeader(), m_layoutPath);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TProformaForm::rowChanged);
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        switch (index.column()) {
        case Col::GestName: case Col::CodGrupa: case Col::CodArticol: case Col::Pret: openLookup(); break;
        default: m_grid->edit(index); break;
        }
    });
    connect(m_lines, &ProposalLinesModel::rowEdited, this, [this] { lineEdited(); });
    resize(1000, 480);
    return true;
}

double TProformaForm::currentContor() const
{
    return m_currentRow >= 0 ? m_contorEdit->text().toDouble() : 0.0;
}

int TProformaForm::documentCount() const
{
    return m_headers->rowCount();
}

int TProformaForm::currentRow() const
{
    return m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : -1;
}

ProposalHeader TProformaForm::header() const
{
    ProposalHeader h;
    h.contor = currentContor();
    h.registered = m_registeredEdit->date();
    bool number = false;
    const double value = QLocale().toDouble(m_numberEdit->text(), &number);
    if (number)
        h.number = value;
    else if (const double c = m_numberEdit->text().toDouble(&number); number)
        h.number = c;
    h.date = m_dateEdit->date();
    h.explanation = m_explanationEdit->text().trimmed();
    h.client = m_client;
    h.dueDate = m_dueDate;
    return h;
}

void TProformaForm::showHeaderFields(const ProposalHeader &h)
{
    m_loading = true;
    m_contorEdit->setText(h.contor ? formatNumber(h.contor, QString()) : QString());
    m_registeredEdit->setDate(h.registered);
    m_numberEdit->setText(h.number ? formatNumber(*h.number, QString()) : QString());
    m_dateEdit->setDate(h.date);
    m_explanationEdit->setText(h.explanation);
    m_client = h.client;
    m_dueDate = h.dueDate;
    m_loading = false;
}

void TProformaForm::showDocument(int row)
{
    if (row < 0 || row >= m_headers->rowCount()) {
        clearDocument();
        return;
    }
    m_currentRow = row;
    m_headerBox->setEnabled(true);
    const ProposalHeader h = m_headers->header(row);
    showHeaderFields(h);
    m_returning = true;
    m_lines->setLines(m_service.lines(h.contor));
    if (m_lines->rowCount() > 0)
        m_grid->setCurrentIndex(m_lines->index(0, Col::CodGrupa));
    m_returning = false;
    m_headerSelection->setCurrentIndex(m_headers->index(row, 0), QItemSelectionModel::ClearAndSelect);
    m_state = HeaderState::Browse;
    // Kept across openings: a proposal beyond the stock stays blocked until it is mended.
    m_overStock = m_service.overStock(h.contor);
}

int TProformaForm::headerCount() const
{
    return m_headers->rowCount();
}

void TProformaForm::clearDocument()
{
    m_currentRow = -1;
    showHeaderFields({});
    m_headerBox->setEnabled(false);
    m_returning = true;
    m_lines->setLines({});
    m_returning = false;
    m_headerSelection->clearCurrentIndex();
    m_state = HeaderState::Browse;
    m_overStock = false;
}

void TProformaForm::reloadHeaders(double keep)
{
    m_headers->load(std::nullopt, keep);
    m_currentRow = m_headers->rowOf(keep);
}

void TProformaForm::headerEdited()
{
    if (m_loading || m_currentRow < 0)
        return;
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
}

bool TProformaForm::saveForCommand()
{
    if (m_currentRow < 0 || !postCurrent())
        return false;
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
    return saveHeader();
}

bool TProformaForm::newDocument()
{
    if (m_state != HeaderState::Browse) {
        if (!m_messages.okCancel(ProposalService::saveQuestionText()))
            return false;
        if (!postCurrent() || !saveHeader())
            return false;
    } else if (!postCurrent()) {
        return false;
    }
    try {
        const ProposalHeader created = m_service.newProposal(m_defaultDate);
        reloadHeaders(created.contor);
        showDocument(m_currentRow);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    m_state = HeaderState::Insert;
    m_numberEdit->setFocus();
    return true;
}

bool TProformaForm::saveHeader()
{
    if (m_currentRow < 0)
        return true;
    if (!postCurrent())
        return false;
    const ProposalHeader h = header();
    try {
        m_service.saveHeader(h);
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

void TProformaForm::cancelHeader()
{
    if (m_currentRow < 0)
        return;
    const double contor = currentContor();
    if (m_state == HeaderState::Insert) {
        if (!m_messages.okCancel(ProposalService::deleteQuestionText()))
            return;
        cancelCurrentLine();
        try {
            m_service.abandonProposal(contor);
            reloadHeaders(0);
            showDocument(m_headers->rowCount() - 1);
        } catch (const DbError &e) {
            m_messages.error(e.userText());
        }
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

void TProformaForm::deleteDocument()
{
    if (m_currentRow < 0 || m_headers->rowCount() == 0)
        return;
    if (!m_messages.okCancel(ProposalService::deleteQuestionText()))
        return;
    const int row = m_currentRow;
    if (m_lines->isDirty(currentRow()))
        cancelCurrentLine();
    try {
        m_service.deleteProposal(currentContor());
        reloadHeaders(0);
        showDocument(qMin(row, m_headers->rowCount() - 1));
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
}

int TProformaForm::addLine()
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

bool TProformaForm::saveRow(int row)
{
    if (!m_lines->isDirty(row))
        return true;
    const ExitLine &typed = m_lines->line(row);
    if (!m_lines->preEditCopy(row) && typed.group.isEmpty() && typed.article.isEmpty() && !typed.quantity) {
        // A new line left untouched holds nothing to save.
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
        return true;
    }
    try {
        const ProposalService::LineSave saved = m_service.saveLine(m_lines->line(row));
        m_lines->markSaved(row, saved.line);
        m_defaultUnit = saved.line.unit;
        if (saved.overStock)
            m_messages.warning(ProposalService::overStockText());
        m_overStock = m_service.overStock(saved.line.contor);
        return true;
    } catch (const DocumentRefusal &refusal) {
        showRefusal(refusal, m_messages);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
    }
    return false;
}

bool TProformaForm::postCurrent()
{
    OpenCellEditor::commit(m_grid);
    return saveRow(currentRow());
}

void TProformaForm::rowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_returning || !previous.isValid() || previous.row() == current.row())
        return;
    if (!saveRow(previous.row())) {
        m_returning = true;
        m_grid->setCurrentIndex(m_lines->index(previous.row(), previous.column()));
        m_returning = false;
    }
}

void TProformaForm::moveCursor(int row, int column)
{
    if (row < 0 || row >= m_lines->rowCount())
        return;
    const bool wasReturning = m_returning;
    m_returning = true;
    m_grid->setCurrentIndex(m_lines->index(row, column));
    m_returning = wasReturning;
}

void TProformaForm::deleteCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const ExitLine line = m_lines->line(row);
    try {
        if (line.contorSecundar)
            m_service.deleteLine(line.contor, *line.contorSecundar);
        m_returning = true;
        m_lines->removeLine(row);
        m_returning = false;
        if (m_currentRow >= 0)
            m_overStock = m_service.overStock(currentContor());
    } catch (const DbError &e) {
        m_returning = false;
        m_messages.error(e.userText());
    }
}

void TProformaForm::cancelCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    OpenCellEditor::revert(m_grid);
    m_returning = true;
    m_lines->cancelChanges(row);
    m_returning = false;
}

void TProformaForm::openLookup()
{
    const QModelIndex index = m_grid->currentIndex();
    if (!index.isValid())
        return;
    OpenCellEditor::commitAndClose(m_grid);
    switch (index.column()) {
    case Col::GestName: case Col::CodGrupa: case Col::CodArticol: stockLookup(index.row()); break;
    case Col::Pret: priceLookup(index.row()); break;
    default: break;
    }
}

void TProformaForm::stockLookup(int row)
{
    const ExitLine &line = m_lines->line(row);
    StockPick pick;
    pick.unit = line.unit;
    pick.group = line.group;
    pick.article = line.article;
    pick.price = line.price.value_or(-1);
    if (!TStocksForm::pickFromStock(this, m_db, m_messages, m_workstation, pick))
        return;
    m_lines->takeStockRow(row, {pick.unit, pick.group, pick.article, pick.price,
                                QDate::fromString(pick.lot, QStringLiteral("d.M.yyyy")), pick.agent});
    moveCursor(row, Col::Cantitate);
}

void TProformaForm::priceLookup(int row)
{
    const ExitLine &line = m_lines->line(row);
    if (line.unit.isEmpty() || line.group.isEmpty() || line.article.isEmpty())
        return;
    QList<ExitPriceChoice::PriceRow> rows;
    try {
        rows = ExitPriceChoice(m_db).priceRows(line.unit, line.group, line.article);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    if (rows.isEmpty()) {
        m_messages.warning(ExitPriceChoice::noStockText());
        return;
    }
    if (const std::optional<ExitPriceChoice::PriceRow> chosen = TSelPretDlg::execute(rows, this))
        m_lines->takePrice(row, *chosen);
}

void TProformaForm::printProposal()
{
    if (!m_print || !saveForCommand())
        return;
    m_print->settings().applyPreset(PrintSettings::Landscape);
    if (!TQRPrnDlg::execute(this, *m_print, m_messages))
        return;
    ProposalList list(m_db, m_params.firmNo);
    try {
        if (!list.load(currentContor()))
            return;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    ReportPrinterOutput::output(this, *m_print, m_messages, [&](const PageSetup &page) { return list.document(page); });
}

bool TProformaForm::createScrapping()
{
    if (m_overStock) {
        m_messages.warning(ProposalService::overStockBlockText());
        return false;
    }
    if (!saveForCommand())
        return false;
    const double contor = currentContor();
    if (m_openList)
        m_openList(contor);
    closeWindow();
    return true;
}

void TProformaForm::closeWindow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

bool TProformaForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // Enter goes on to the next field of the header, as Tab does.
    if (enter && !(key->modifiers() & Qt::ControlModifier) && watched != m_grid) {
        focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (watched == m_grid) {
        const int row = currentRow();
        const bool lastRow = row == m_lines->rowCount() - 1;
        const bool blankNew = row >= 0 && !m_lines->preEditCopy(row) && m_lines->line(row).group.isEmpty()
            && m_lines->line(row).article.isEmpty();
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

void TProformaForm::refreshData()
{
    if (!m_open || !DocumentWindowState::mayRefresh(m_state, m_lines->hasDirtyRow(), m_grid))
        return;
    const double contor = currentContor();
    const QModelIndex at = m_grid->currentIndex();
    try {
        m_lines->loadLookups();
        reloadHeaders(contor);
        showDocument(m_currentRow >= 0 ? m_currentRow : m_headers->rowCount() - 1);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    if (at.isValid())
        moveCursor(qMin(at.row(), m_lines->rowCount() - 1), at.column());
}

void TProformaForm::closeEvent(QCloseEvent *event)
{
    if (m_open) {
        if (!postCurrent()) {
            event->ignore();
            return;
        }
        const DocumentWindowState::Closing step = DocumentWindowState::closingStep(m_state, m_lines->rowCount());
        if (step == DocumentWindowState::Closing::Abandon) {
            try {
                m_service.abandonProposal(currentContor());
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
    QWidget::closeEvent(event);
}
