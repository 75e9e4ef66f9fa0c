#pragma once

#include "tessaro_addon.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QItemSelectionModel>
#include <QPointer>

// What the opaque handles of the module interface stand for. The host keeps every
// handle it gave out until its modules are unloaded; a handle whose object has gone
// answers empty values.
struct TessaroScreen
{
};

struct TessaroHostApplication
{
    QByteArray name;
    QByteArray version;
};

struct TessaroWindow
{
    QPointer<QObject> window;
    QByteArray text;
};

struct TessaroTable
{
    QPointer<QAbstractItemModel> model;
    QPointer<QItemSelectionModel> selection;
    QByteArray text;
};

// The function table handed to InitAddOnDLL.
namespace AddOnHandles {
const TessaroHostApi *api();
}
