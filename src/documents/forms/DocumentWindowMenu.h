#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QWidget;

// The "&Document" menu of a document window. Outside the main window the window shows
// its own menu bar; inside it, the bar is hidden and its entries join the main menu
// (before "&Listari") while the window is the active child, leaving it when another
// child becomes active or the window closes.
class DocumentWindowMenu : public QObject
{
    Q_OBJECT
public:
    // Watches `window` (and is owned by it); `menuBar` is the window's own bar.
    DocumentWindowMenu(QWidget *window, QMenuBar *menuBar);
    ~DocumentWindowMenu() override;

    // An entry of a document menu: object name, caption, status hint and shortcut.
    static QAction *addItem(QMenu *menu, const char *name, const QString &text, const QString &hint,
                            const QKeySequence &shortcut = QKeySequence());

    // The main window's client area the window lives in; null before it is shown there.
    QMdiArea *mdiArea() const;
    bool isMerged() const;
    // The entries leave the main menu (the window closes).
    void unmerge();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attach();
    void subWindowActivated(QMdiSubWindow *window);
    void merge();

    QWidget *m_window;
    QPointer<QMenuBar> m_menuBar;
    QPointer<QMdiArea> m_mdiArea;
    QPointer<QMenuBar> m_mergedInto;
    QList<QPointer<QAction>> m_mergedActions;
};
