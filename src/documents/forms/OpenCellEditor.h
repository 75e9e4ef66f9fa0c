#pragma once

class QTableView;
class QWidget;

// The cell editor a user may have left open in a lines grid: its text goes to the model
// before a line is saved or a lookup starts from it, and is thrown away when the line's
// changes are cancelled.
namespace OpenCellEditor {
// The open editor (the focused widget inside the grid); null when none.
QWidget *of(const QTableView *grid);
// Hands the editor's text to the model; the editor stays open.
void commit(QTableView *grid);
// Hands the text to the model and closes the editor.
void commitAndClose(QTableView *grid);
// Closes the editor, dropping what was typed into it.
void revert(QTableView *grid);
} // namespace OpenCellEditor
