#include "documents/forms/TSeriiForm.h"

#include "app/forms/ChildFrame.h"
#include "app/forms/GridCellDelegate.h"
#include "app/forms/GridKeyboard.h"
#include "app/Messages.h"
#include "db/DbError.h"
#include "documents/SerialRowsModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPointer<TSeriiForm> s_instance;

// Knows its open cell editor, so a pending value can be taken even without focus.
class SerialDelegate : public GridCellDelegate
{
public:
    using GridCellDelegate::GridCellDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = GridCellDelegate::createEditor(parent, option, index);
        m_editor = editor;
        return editor;
    }
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (m_editor == editor)
            m_editor = nullptr;
        GridCellDelegate::destroyEditor(editor, index);
    }
    QWidget *openEditor() const { return m_editor.data(); }
    void commitOpenEditor()
    {
        if (QWidget *editor = m_editor.data()) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

private:
    mutable QPointer<QWidget> m_editor;
};

// The workspace of the main window that holds `widget`, if any.
QMdiArea *workspaceOf(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QMdiArea *>(w))
            return area;
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w))
            return sub->mdiArea();
    }
    return widget ? widget->window()->findChild<QMdiArea *>() : nullptr;
}

} // namespace

TSeriiForm::TSeriiForm(Database &db, Messages &messages, QWidget *parent)
    : QWidget(parent), m_db(db), m_messages(messages)
{
    setObjectName(QStringLiteral("TSeriiForm"));
    setWindowTitle(caption());
    m_model = new SerialRowsModel(db, messages, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("SeriiGrid"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new SerialDelegate(m_messages, m_grid));
    // Tab and Enter go from one serial number to the next, over the asset's own columns.
    new GridKeyboard(m_grid);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                            | QAbstractItemView::EditKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    resize(640, 320);

    // Leaving a changed row saves it; a refused save brings the user back to it.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (m_returning || !previous.isValid() || previous.row() != m_model->pendingRow()
                    || current.row() == previous.row())
                    return;
                if (!m_model->post()) {
                    m_returning = true;
                    const QPersistentModelIndex back(previous);
                    QTimer::singleShot(0, this, [this, back] {
                        if (back.isValid())
                            m_grid->setCurrentIndex(back);
                        m_returning = false;
                    });
                }
            });
}

TSeriiForm::~TSeriiForm()
{
    if (s_instance == this)
        s_instance = nullptr;
}

TSeriiForm *TSeriiForm::instance()
{
    return s_instance.data();
}

double TSeriiForm::contor() const
{
    return m_model->contor();
}

QWidget *TSeriiForm::frame()
{
    return childFrame(this);
}

bool TSeriiForm::open(double contor)
{
    try {
        m_model->load(contor);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    m_grid->resizeColumnsToContents();
    m_grid->setColumnWidth(SerialRowsModel::Denumire, std::max(m_grid->columnWidth(SerialRowsModel::Denumire), 220));
    for (int c : {SerialRowsModel::Serie, SerialRowsModel::SerieFurn})
        m_grid->setColumnWidth(c, std::max(m_grid->columnWidth(c), 110));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, SerialRowsModel::Serie));
    return true;
}

TSeriiForm *TSeriiForm::show(Database &db, Messages &messages, double contor, QWidget *parent)
{
    if (TSeriiForm *open = s_instance.data()) {
        if (open->contor() != contor) {
            if (!open->savePending() || !open->open(contor))
                return open;
        }
        QWidget *f = open->frame();
        if (f->isMinimized())
            f->showNormal();
        if (auto *sub = qobject_cast<QMdiSubWindow *>(f))
            sub->mdiArea()->setActiveSubWindow(sub);
        f->raise();
        f->activateWindow();
        return open;
    }

    QMdiArea *area = workspaceOf(parent);
    auto *form = new TSeriiForm(db, messages, area ? nullptr : parent);
    // In the workspace the sub-window owns the form and deletes it on closing.
    if (!area) {
        form->setAttribute(Qt::WA_DeleteOnClose);
        if (parent)
            form->setWindowFlags(Qt::Window);
    }
    if (!form->open(contor)) {
        delete form;
        return nullptr;
    }
    s_instance = form;
    if (area) {
        QMdiSubWindow *sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(form->size());
        sub->show();
        area->setActiveSubWindow(sub);
    } else {
        form->QWidget::show();
        form->activateWindow();
    }
    return form;
}

bool TSeriiForm::savePending()
{
    // A cell still being typed into goes to the model first.
    static_cast<SerialDelegate *>(m_grid->itemDelegate())->commitOpenEditor();
    return m_model->post();
}

void TSeriiForm::refreshData()
{
    if (m_model->hasPending() || static_cast<SerialDelegate *>(m_grid->itemDelegate())->openEditor())
        return;
    const QModelIndex current = m_grid->currentIndex();
    try {
        m_model->load(m_model->contor());
    } catch (const DbError &) {
        return; // the next tick tries again
    }
    if (current.isValid() && current.row() < m_model->rowCount())
        m_grid->setCurrentIndex(m_model->index(current.row(), current.column()));
}

void TSeriiForm::closeEvent(QCloseEvent *event)
{
    if (!savePending()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool TSeriiForm::eventFilter(QObject *watched, QEvent *event)
{
    // Escape outside a cell editor forgets the pending change of the row.
    if (watched == m_grid && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && m_model->hasPending()) {
        m_model->cancel();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
