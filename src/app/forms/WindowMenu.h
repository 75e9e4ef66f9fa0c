#pragma once

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

// The "&Ferestre" menu of the main window: cascades, tiles or closes the child windows
// and lists the open ones ("&1 Stocuri curente"), the active one checked; choosing one
// brings it to the front.
class WindowMenu : public QObject
{
    Q_OBJECT
public:
    WindowMenu(QMenu *menu, QAction *cascade, QAction *tile, QAction *closeAll, QMdiArea *area);

    // Rebuilds the list of windows and the entries' enabled state (done whenever the
    // menu opens or another window becomes active).
    void refresh();

private:
    QMenu *m_menu;
    QAction *m_cascade;
    QAction *m_tile;
    QAction *m_closeAll;
    QMdiArea *m_area;
    QAction *m_separator = nullptr;
    QList<QAction *> m_windowEntries;
};
