#pragma once

class QTableView;

// Where the document shown by an entry or exit window stands: browsed, a new document
// being typed, or a stored one being changed.
enum class DocumentHeaderState { Browse, Insert, Edit };

// What the document windows may do with their document, whatever its kind.
namespace DocumentWindowState {

enum class Closing {
    // Nothing left to write.
    Nothing,
    // A new document without a line has nothing worth keeping: it goes, with its number.
    Abandon,
    // The header typed or changed is saved first; a refused save keeps the window open.
    SaveHeader
};
Closing closingStep(DocumentHeaderState state, int lineCount);

// The refresh tick re-reads the tables only while nothing is being typed: the header
// browsed, no line changed and no cell editor open in the lines grid.
bool mayRefresh(DocumentHeaderState state, bool lineChanged, const QTableView *grid);

} // namespace DocumentWindowState
