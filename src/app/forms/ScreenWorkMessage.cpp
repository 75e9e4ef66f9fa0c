#include "app/forms/ScreenWorkMessage.h"

#include "app/forms/TMessageForm.h"

ScreenWorkMessage::ScreenWorkMessage(QWidget *owner)
    : m_owner(owner)
{
}

ScreenWorkMessage::~ScreenWorkMessage()
{
    hide();
}

void ScreenWorkMessage::show(const QString &text)
{
    if (!m_form) {
        m_form = new TMessageForm(m_owner);
        m_form->setMessage(text);
        m_form->show();
        m_form->repaint();
        return;
    }
    m_form->setMessage(text);
}

void ScreenWorkMessage::hide()
{
    // Deleted now, not later: the caller may go on working without an event loop.
    delete m_form.data();
    m_form = nullptr;
}
