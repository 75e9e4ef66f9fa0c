#pragma once

class QItemSelectionModel;
class QSqlQueryModel;

// Re-reads a browsed table or query so that other workstations' changes show: only when
// the model holds no pending edits (a QSqlTableModel that is not dirty). The current
// row of the selection model is kept: by primary key when the model has one, else by
// its position (the last row when the table got shorter).
// True when the model was re-read.
bool refreshIfBrowsing(QSqlQueryModel *model, QItemSelectionModel *selection = nullptr);
