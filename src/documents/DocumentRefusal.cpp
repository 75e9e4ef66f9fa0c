#include "documents/DocumentRefusal.h"

#include "app/Messages.h"

void DocumentRefusal::show(Messages &messages) const
{
    if (m_kind == Kind::Error)
        messages.error(m_text);
    else
        messages.warning(m_text);
}
