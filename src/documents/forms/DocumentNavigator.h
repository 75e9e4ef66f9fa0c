#pragma once

#include <QList>

#include <functional>

class QHBoxLayout;
class QToolButton;
class QWidget;

// The header navigator of the document windows: first, previous, next and last document,
// new, delete, save, cancel and refresh, each a tool button with its hint (object names
// FirstBtn ... RefreshBtn). The navigator asks nothing itself; the window's actions do.
namespace DocumentNavigator {

struct Actions
{
    std::function<void()> first, prior, next, last, insert, remove, post, cancel, refresh;
};

// The buttons in a row of `window`, to be laid out by the window; `buttons` (when given)
// receives them in order.
QHBoxLayout *build(QWidget *window, const Actions &actions, QList<QToolButton *> *buttons = nullptr);

} // namespace DocumentNavigator
