#pragma once

#include <Qt>

// The item roles through which a grid's model tells GridCellDelegate how a cell is
// typed and shown. Models that cannot answer them (SQL query models) are described to
// the delegate column by column instead (GridCellDelegate::setColumnKind).
namespace GridRoles {

// What a cell holds (GridRoles::Kind as int); a plain text cell when the model gives none.
constexpr int CellKind = Qt::UserRole + 2;
// The texts a pick-list cell offers (QStringList): the cell edits with a drop-down list.
constexpr int PickList = Qt::UserRole + 1;

enum class Kind {
    Text,
    // Typed as an amount (AmountParsing): "1234,56", "1234.56", "1.234,56".
    Amount,
    // Typed as a date (DateParsing): "15.11.2026", "15112026", "15.11.26".
    Date,
    // A check box (Qt::CheckStateRole, or a boolean value), toggled by Space or a click.
    Boolean
};

} // namespace GridRoles
