#pragma once

#include <QObject>

class QAbstractItemView;
class QKeyEvent;
class QTableView;

// Typing a grid from the keyboard: Tab, Enter and the arrow keys move through the
// editable cells only (hidden and read-only columns are skipped, check boxes count as
// editable), in the order the columns are shown. From the last editable cell of a line
// Tab and Enter go to the first editable cell of the next line; on the last line they
// press Down for the window, which starts a new line there as it does for Down.
// Shift+Tab and Shift+Enter go back the same way; Left and Right stay on the line.
//
// With a cell editor open (GridCellDelegate), Tab, Enter, Up and Down first give the
// typed text to the model: a refused text keeps the editor open for correction, an
// accepted one closes it and the key moves on as above.
//
// A grid that cannot be edited (no edit triggers) keeps Qt's own keys.
class GridKeyboard : public QObject
{
    Q_OBJECT
public:
    // Attaches itself to `grid` (and is owned by it).
    explicit GridKeyboard(QTableView *grid);

    static GridKeyboard *of(const QAbstractItemView *view);

    // The moves of Tab and Shift+Tab; false when there was nowhere to go.
    bool moveNext();
    bool movePrevious();
    // A key pressed in a cell editor of the grid; true when it was handled here.
    bool editorKey(QWidget *editor, QKeyEvent *key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool active() const;
    bool isEditable(int row, int column) const;
    // The editable column nearest to visual position `from` (exclusive) in direction
    // `step` on `row`; -1 when none.
    int editableColumn(int row, int from, int step) const;
    bool moveAlongRow(int step);
    void goTo(int row, int column);
    void pressDown();

    QTableView *m_grid;
};
