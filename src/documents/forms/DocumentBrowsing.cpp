#include "documents/forms/DocumentBrowsing.h"

void DocumentBrowsing::first()
{
    if (headerCount() > 0 && leaveDocument())
        showDocument(0);
}

void DocumentBrowsing::prior()
{
    if (m_currentRow > 0 && leaveDocument())
        showDocument(m_currentRow - 1);
}

void DocumentBrowsing::next()
{
    if (m_currentRow + 1 < headerCount() && leaveDocument())
        showDocument(m_currentRow + 1);
}

void DocumentBrowsing::last()
{
    if (headerCount() > 0 && leaveDocument())
        showDocument(headerCount() - 1);
}

void DocumentBrowsing::lineEdited()
{
    if (m_state == HeaderState::Browse)
        m_state = HeaderState::Edit;
}

bool DocumentBrowsing::leaveDocument()
{
    if (!postCurrent())
        return false;
    return m_state == HeaderState::Browse || saveHeader();
}
