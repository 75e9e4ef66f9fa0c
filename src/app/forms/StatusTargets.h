#pragma once

#include "app/Status.h"

#include <QPointer>

class QLabel;
class QStatusBar;

// The main window's status panel: a label (usually inside a sunken frame).
class LabelStatusTarget : public StatusTarget
{
public:
    explicit LabelStatusTarget(QLabel *label);
    void setStatusText(const QString &text) override;

private:
    QPointer<QLabel> m_label;
};

// A status bar: its first panel (the first label added to it), else its own
// message text.
class StatusBarStatusTarget : public StatusTarget
{
public:
    explicit StatusBarStatusTarget(QStatusBar *bar);
    void setStatusText(const QString &text) override;

private:
    QPointer<QStatusBar> m_bar;
};
