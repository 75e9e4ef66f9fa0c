#include "app/forms/WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

WindowMenu::WindowMenu(QMenu *menu, QAction *cascade, QAction *tile, QAction *closeAll, QMdiArea *area)
    : QObject(menu), m_menu(menu), m_cascade(cascade), m_tile(tile), m_closeAll(closeAll), m_area(area)
{
    connect(cascade, &QAction::triggered, area, &QMdiArea::cascadeSubWindows);
    connect(tile, &QAction::triggered, area, &QMdiArea::tileSubWindows);
    connect(closeAll, &QAction::triggered, area, &QMdiArea::closeAllSubWindows);
    connect(menu, &QMenu::aboutToShow, this, &WindowMenu::refresh);
    connect(area, &QMdiArea::subWindowActivated, this, &WindowMenu::refresh);
    refresh();
}

void WindowMenu::refresh()
{
    for (QAction *entry : std::as_const(m_windowEntries)) {
        m_menu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowEntries.clear();
    if (m_separator) {
        m_menu->removeAction(m_separator);
        m_separator->deleteLater();
        m_separator = nullptr;
    }

    const QList<QMdiSubWindow *> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    m_cascade->setEnabled(!windows.isEmpty());
    m_tile->setEnabled(!windows.isEmpty());
    m_closeAll->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;

    m_separator = m_menu->addSeparator();
    QMdiSubWindow *active = m_area->activeSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        QString title = window->windowTitle();
        if (title.isEmpty() && window->widget())
            title = window->widget()->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // Alt letters 1..9, then none.
        const QString caption = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                      : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction *entry = m_menu->addAction(caption);
        entry->setObjectName(QStringLiteral("WindowEntry%1").arg(i + 1));
        entry->setCheckable(true);
        entry->setChecked(window == active);
        const QPointer<QMdiSubWindow> target(window);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_area->setActiveSubWindow(target);
        });
        m_windowEntries << entry;
    }
}
