#pragma once

#include <QString>

// The window that tells the user to wait during long work. Domain code receives one and
// calls show() as the work advances; the windowed program passes the on-screen window,
// headless commands and tests a silent one.
class WorkMessage
{
public:
    virtual ~WorkMessage() = default;
    // Shows the window on first use; later calls only replace its text.
    virtual void show(const QString &text) = 0;
    // Removes the window, if shown.
    virtual void hide() = 0;
};
