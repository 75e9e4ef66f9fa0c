#include "app/forms/StatusTargets.h"

#include <QLabel>
#include <QStatusBar>

LabelStatusTarget::LabelStatusTarget(QLabel *label)
    : m_label(label)
{
}

void LabelStatusTarget::setStatusText(const QString &text)
{
    if (!m_label)
        return;
    m_label->setText(text);
    // Long work keeps the event loop busy: paint now so the text shows meanwhile.
    m_label->repaint();
}

StatusBarStatusTarget::StatusBarStatusTarget(QStatusBar *bar)
    : m_bar(bar)
{
}

void StatusBarStatusTarget::setStatusText(const QString &text)
{
    if (!m_bar)
        return;
    // The first panel is the first label added to the bar; without one, the bar's message.
    // (addWidget reparents the panels to the bar, in the order they were added).
    const auto labels = m_bar->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    if (!labels.isEmpty()) {
        QLabel *first = labels.first();
        m_bar->clearMessage(); // a message would hide the normal panels
        first->setText(text);
        first->repaint();
    } else {
        m_bar->showMessage(text);
        m_bar->repaint();
    }
}
