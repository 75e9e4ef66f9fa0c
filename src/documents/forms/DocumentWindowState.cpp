#include "documents/forms/DocumentWindowState.h"

#include "documents/forms/OpenCellEditor.h"

namespace DocumentWindowState {

Closing closingStep(DocumentHeaderState state, int lineCount)
{
    if (state == DocumentHeaderState::Insert && lineCount == 0)
        return Closing::Abandon;
    return state == DocumentHeaderState::Browse ? Closing::Nothing : Closing::SaveHeader;
}

bool mayRefresh(DocumentHeaderState state, bool lineChanged, const QTableView *grid)
{
    return state == DocumentHeaderState::Browse && !lineChanged && !OpenCellEditor::of(grid);
}

} // namespace DocumentWindowState
