#include "documents/forms/DocumentWindowMenu.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

DocumentWindowMenu::DocumentWindowMenu(QWidget *window, QMenuBar *menuBar)
    : QObject(window), m_window(window), m_menuBar(menuBar)
{
    window->installEventFilter(this);
}

DocumentWindowMenu::~DocumentWindowMenu()
{
    unmerge();
}

QAction *DocumentWindowMenu::addItem(QMenu *menu, const char *name, const QString &text, const QString &hint,
                                     const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    return action;
}

QMdiArea *DocumentWindowMenu::mdiArea() const
{
    return m_mdiArea;
}

bool DocumentWindowMenu::isMerged() const
{
    return m_mergedInto != nullptr;
}

bool DocumentWindowMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_mdiArea)
        attach();
    return QObject::eventFilter(watched, event);
}

void DocumentWindowMenu::attach()
{
    for (QWidget *w = m_window->parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QMdiArea *>(w)) {
            m_mdiArea = area;
            break;
        }
    }
    if (!m_mdiArea || !qobject_cast<QMainWindow *>(m_mdiArea->window()) || !m_menuBar)
        return;
    m_menuBar->hide();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &DocumentWindowMenu::subWindowActivated);
    subWindowActivated(m_mdiArea->activeSubWindow());
}

void DocumentWindowMenu::subWindowActivated(QMdiSubWindow *window)
{
    if (window && window->widget() == m_window)
        merge();
    else
        unmerge();
}

void DocumentWindowMenu::merge()
{
    auto *main = m_mdiArea ? qobject_cast<QMainWindow *>(m_mdiArea->window()) : nullptr;
    if (!main || m_mergedInto || !m_menuBar)
        return;
    QMenuBar *bar = main->menuBar();
    // Before the first main-menu entry of a higher group ("Listari"), else at the end.
    QAction *before = nullptr;
    if (auto *reports = bar->findChild<QMenu *>(QStringLiteral("ListariMenu")))
        before = reports->menuAction();
    const QList<QAction *> actions = m_menuBar->actions();
    bar->insertActions(before, actions);
    for (QAction *action : actions)
        m_mergedActions << action;
    m_mergedInto = bar;
}

void DocumentWindowMenu::unmerge()
{
    if (m_mergedInto) {
        for (const QPointer<QAction> &action : std::as_const(m_mergedActions)) {
            if (action)
                m_mergedInto->removeAction(action);
        }
    }
    m_mergedActions.clear();
    m_mergedInto = nullptr;
}
