#include "app/forms/AddOnMenuMerge.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

int copyCounter = 0;

QString captionOf(const QAction *action)
{
    return action->isSeparator() ? QStringLiteral("-") : AddOnMenuMerge::withoutMnemonic(action->text());
}

} // namespace

QString AddOnMenuMerge::withoutMnemonic(const QString &caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            // "&&" stands for one "&"; a lone "&" only marks the Alt letter.
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                plain += caption.at(++i);
            continue;
        }
        plain += caption.at(i);
    }
    return plain;
}

int AddOnMenuMerge::groupIndex(const QAction *action)
{
    QVariant value = action->property(GroupIndexProperty);
    if (!value.isValid() && action->menu())
        value = action->menu()->property(GroupIndexProperty);
    return value.isValid() ? value.toInt() : 0;
}

void AddOnMenuMerge::setGroupIndex(QAction *action, int groupIndex)
{
    action->setProperty(GroupIndexProperty, groupIndex);
}

void AddOnMenuMerge::setMainMenuGroupIndexes(QMenuBar *menuBar)
{
    const QList<QAction *> actions = menuBar->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        if (action->property(GroupIndexProperty).isValid()
            || (action->menu() && action->menu()->property(GroupIndexProperty).isValid()))
            continue;
        const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
        int group = i;
        if (name == QLatin1String("SistemMenu"))
            group = TESSARO_GROUP_SISTEM;
        else if (name == QLatin1String("SetariMenu"))
            group = TESSARO_GROUP_SETARI;
        else if (name == QLatin1String("ListariMenu"))
            group = TESSARO_GROUP_LISTARI;
        else if (name == QLatin1String("FerestreMenu"))
            group = TESSARO_GROUP_FERESTRE;
        else if (name == QLatin1String("AjutorMenu"))
            group = TESSARO_GROUP_AJUTOR;
        setGroupIndex(action, group);
    }
}

QString AddOnMenuMerge::nextCopyName()
{
    return QStringLiteral("_AddOn_Menu%1").arg(copyCounter++);
}

QAction *AddOnMenuMerge::copyOf(const AddOnMenuItem &item, QWidget *owner,
                                const std::shared_ptr<const bool> &loaded)
{
    const QString name = nextCopyName();
    QAction *action = nullptr;
    if (item.isSeparator()) {
        action = new QAction(owner);
        action->setSeparator(true);
    } else if (!item.items.empty()) {
        auto *submenu = new QMenu(item.caption, owner);
        submenu->setObjectName(name);
        action = submenu->menuAction();
    } else {
        action = new QAction(item.caption, owner);
    }
    action->setObjectName(name);
    setGroupIndex(action, item.groupIndex);
    if (!item.shortcut.isEmpty())
        action->setShortcut(QKeySequence(item.shortcut, QKeySequence::PortableText));
    if (item.checked) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    action->setEnabled(item.enabled);
    action->setStatusTip(item.hint);
    action->setToolTip(item.hint.isEmpty() ? item.caption : item.hint);
    if (item.click) {
        const TessaroMenuClick click = item.click;
        void *userData = item.userData;
        const bool checked = item.checked;
        QObject::connect(action, &QAction::triggered, action, [action, click, userData, loaded, checked] {
            // The check mark is the module's to set, not toggled by choosing the entry.
            action->setChecked(checked);
            if (!loaded || *loaded)
                click(userData);
        });
    }
    if (action->menu()) {
        for (const auto &sub : item.items)
            action->menu()->addAction(copyOf(*sub, action->menu(), loaded));
    }
    return action;
}

void AddOnMenuMerge::mergeItems(const std::vector<std::unique_ptr<AddOnMenuItem>> &items,
                                QWidget *target, const std::shared_ptr<const bool> &loaded)
{
    int position = 0;
    for (const auto &entry : items) {
        const AddOnMenuItem &e = *entry;
        QList<QAction *> actions = target->actions();
        while (position < actions.size() && groupIndex(actions.at(position)) < e.groupIndex)
            ++position;

        if (position >= actions.size()) {
            target->addAction(copyOf(e, target, loaded));
            position = int(target->actions().size());
            continue;
        }
        QAction *t = actions.at(position);
        const int tGroup = groupIndex(t);
        if (tGroup == e.groupIndex && captionOf(t) == withoutMnemonic(e.caption)) {
            if (!e.items.empty()) {
                QMenu *submenu = t->menu();
                if (!submenu) {
                    // A plain entry that the module extends becomes a submenu.
                    submenu = new QMenu(t->text(), target);
                    t->setMenu(submenu);
                }
                mergeItems(e.items, submenu, loaded);
            }
            ++position;
        } else if (tGroup == e.groupIndex) {
            QAction *copy = copyOf(e, target, loaded);
            if (position + 1 < actions.size())
                target->insertAction(actions.at(position + 1), copy);
            else
                target->addAction(copy);
            position += 1;
        } else {
            target->insertAction(t, copyOf(e, target, loaded));
        }
    }
}

void AddOnMenuMerge::merge(const AddOnMenu &menu, QWidget *target)
{
    if (target)
        mergeItems(menu.items, target, menu.moduleLoaded);
}

void AddOnMenuMerge::load(AddOnHost &host, const QStringList &paths, QMainWindow *mainWindow,
                          const QString &dataDirectory)
{
    host.load(paths);
    QMenuBar *menuBar = mainWindow->menuBar();
    setMainMenuGroupIndexes(menuBar);
    host.offerMainForm(mainWindow, [menuBar](const AddOnMenu &menu) { merge(menu, menuBar); });
    host.setDataDirectory(dataDirectory);
}

void AddOnMenuMerge::load(AddOnHost &host, const QStringList &paths, QMenuBar *menuBar,
                          const QString &dataDirectory)
{
    host.load(paths);
    setMainMenuGroupIndexes(menuBar);
    host.offerMainForm(menuBar->window(), [menuBar](const AddOnMenu &menu) { merge(menu, menuBar); });
    host.setDataDirectory(dataDirectory);
}

void AddOnMenuMerge::offerDocInForm(AddOnHost &host, QWidget *window, QWidget *menu,
                                    AddOnHost::TableView documents, AddOnHost::TableView lines)
{
    host.offerDocInForm(window, documents, lines,
                        [menu](const AddOnMenu &returned) { merge(returned, menu); });
}

void AddOnMenuMerge::offerDocOutForm(AddOnHost &host, QWidget *window, QWidget *menu,
                                     AddOnHost::TableView documents, AddOnHost::TableView lines)
{
    host.offerDocOutForm(window, documents, lines,
                         [menu](const AddOnMenu &returned) { merge(returned, menu); });
}
