#pragma once

#include <QMdiSubWindow>
#include <QWidget>

// The frame a window lives in: its MDI child window inside the main window, else itself.
// Closing or raising a child window goes through its frame.
inline QWidget *childFrame(QWidget *window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        return frame;
    return window;
}
