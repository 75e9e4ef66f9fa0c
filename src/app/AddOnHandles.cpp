#include "app/AddOnHandles.h"

#include "app/AddOnMenu.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QScreen>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QVariant>

namespace {

QString utf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

int screenWidth(TessaroScreen *)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int screenHeight(TessaroScreen *)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

const char *applicationName(TessaroHostApplication *application)
{
    return application ? application->name.constData() : "";
}

const char *applicationVersion(TessaroHostApplication *application)
{
    return application ? application->version.constData() : "";
}

const char *windowCaption(TessaroWindow *window)
{
    if (!window)
        return "";
    // windowTitle is a property of every widget; the core library reaches it without
    // knowing widgets.
    window->text = window->window ? window->window->property("windowTitle").toString().toUtf8()
                                  : QByteArray();
    return window->text.constData();
}

void *windowWidget(TessaroWindow *window)
{
    return window && window->window ? window->window.data() : nullptr;
}

int tableRowCount(TessaroTable *table)
{
    return table && table->model ? table->model->rowCount() : 0;
}

int tableCurrentRow(TessaroTable *table)
{
    if (!table || !table->model || !table->selection)
        return -1;
    const QModelIndex current = table->selection->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int tableFieldCount(TessaroTable *table)
{
    return table && table->model ? table->model->columnCount() : 0;
}

// A table model names its fields by its record; its headers may show captions instead.
QString fieldName(const QAbstractItemModel *model, int column)
{
    if (const auto *sql = qobject_cast<const QSqlQueryModel *>(model))
        return sql->record().fieldName(column);
    return model->headerData(column, Qt::Horizontal, Qt::EditRole).toString();
}

const char *tableFieldName(TessaroTable *table, int column)
{
    if (!table || !table->model || column < 0 || column >= table->model->columnCount())
        return nullptr;
    table->text = fieldName(table->model, column).toUtf8();
    return table->text.constData();
}

const char *tableValue(TessaroTable *table, int row, const char *field)
{
    if (!table || !table->model || !field || row < 0 || row >= table->model->rowCount())
        return nullptr;
    const QString name = QString::fromUtf8(field);
    for (int column = 0; column < table->model->columnCount(); ++column) {
        if (fieldName(table->model, column).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QVariant value = table->model->index(row, column).data(Qt::EditRole);
        QString text;
        if (value.isNull())
            text.clear();
        else if (value.typeId() == QMetaType::QDate)
            text = value.toDate().toString(Qt::ISODate);
        else if (value.typeId() == QMetaType::QDateTime)
            text = value.toDateTime().date().toString(Qt::ISODate);
        else if (value.typeId() == QMetaType::Double)
            text = QString::number(value.toDouble(), 'g', 15);
        else
            text = value.toString();
        table->text = text.toUtf8();
        return table->text.constData();
    }
    return nullptr;
}

TessaroMenu *menuCreate()
{
    return new TessaroMenu;
}

TessaroMenuItem *menuAddItem(TessaroMenu *menu, TessaroMenuItem *parentItem, const char *caption,
                             int groupIndex)
{
    if (parentItem)
        return &parentItem->add(utf8(caption), groupIndex);
    if (menu)
        return &menu->add(utf8(caption), groupIndex);
    return nullptr;
}

void menuItemSetShortcut(TessaroMenuItem *item, const char *shortcut)
{
    if (item)
        item->shortcut = utf8(shortcut);
}

void menuItemSetHint(TessaroMenuItem *item, const char *hint)
{
    if (item)
        item->hint = utf8(hint);
}

void menuItemSetChecked(TessaroMenuItem *item, int checked)
{
    if (item)
        item->checked = checked != 0;
}

void menuItemSetEnabled(TessaroMenuItem *item, int enabled)
{
    if (item)
        item->enabled = enabled != 0;
}

void menuItemSetClick(TessaroMenuItem *item, TessaroMenuClick click, void *userData)
{
    if (item) {
        item->click = click;
        item->userData = userData;
    }
}

void menuFree(TessaroMenu *menu)
{
    delete menu;
}

const TessaroHostApi table = {
    TESSARO_ADDON_ABI_VERSION,
    sizeof(TessaroHostApi),
    screenWidth,
    screenHeight,
    applicationName,
    applicationVersion,
    windowCaption,
    windowWidget,
    tableRowCount,
    tableCurrentRow,
    tableFieldCount,
    tableFieldName,
    tableValue,
    menuCreate,
    menuAddItem,
    menuItemSetShortcut,
    menuItemSetHint,
    menuItemSetChecked,
    menuItemSetEnabled,
    menuItemSetClick,
    menuFree,
};

} // namespace

const TessaroHostApi *AddOnHandles::api()
{
    return &table;
}
