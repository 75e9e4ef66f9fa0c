#pragma once

#include <QString>

// A place that shows the one-line status message (the main window's status line).
class StatusTarget
{
public:
    virtual ~StatusTarget();
    // Shows the text at once, even while the event loop is busy with long work.
    virtual void setStatusText(const QString &text) = 0;
};

// "Show status": domain code reports what it is doing without knowing any widget.
// The targets are not owned; whoever registers one unregisters it (nullptr) before
// destroying it.
namespace Status {
void registerTarget(StatusTarget *target);
// The main window registers its status bar here when it has one beside the status
// panel; nullptr removes it.
void registerSecondTarget(StatusTarget *target);
// Writes into the registered target and into the second one; nothing when none.
void show(const QString &text);
} // namespace Status
