#pragma once

#include "documents/forms/DocumentWindowState.h"

// The navigation the document windows share: which header row is shown, where its
// document stands, and moving to another document only once the one shown was left
// cleanly (the line being typed posted, a changed header saved).
class DocumentBrowsing
{
public:
    using HeaderState = DocumentHeaderState;

    virtual ~DocumentBrowsing() = default;

    HeaderState headerState() const { return m_state; }

    // The navigator.
    void first();
    void prior();
    void next();
    void last();

protected:
    // A line was changed by the user: the document is being edited.
    void lineEdited();
    // False (the document stays) when the line or the header cannot be saved.
    bool leaveDocument();

    virtual int headerCount() const = 0;
    virtual void showDocument(int row) = 0;
    virtual bool postCurrent() = 0;
    virtual bool saveHeader() = 0;

    int m_currentRow = -1;
    HeaderState m_state = HeaderState::Browse;
};
