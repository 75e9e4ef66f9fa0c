#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

class Messages;
class NomenclatorModel;
class QTableView;

// The editing behaviour of a nomenclator grid: Insert (or Down on the last row) adds a
// row with the code column focused, Ctrl+Delete deletes the current row after a
// question, and leaving a changed row posts it; the keys move as GridKeyboard says. A refused post brings the user back to
// the refused row, which stays in edit.
class GridEditing : public QObject
{
    Q_OBJECT
public:
    GridEditing(QTableView *grid, NomenclatorModel *model, Messages &messages, const QString &keyField,
                QObject *parent = nullptr);

    // Cells editable and row selection off, or read-only row selection.
    void setEditable(bool on);
    bool isEditable() const { return m_editable; }
    // Keeps the multiple row selection of the read-only mode (the inventory grid).
    void setMultiSelection(bool on) { m_multi = on; setEditable(m_editable); }

    // Posts the pending changes; on refusal shows the refused row. Restores the current
    // row by its key after the re-read that a post does.
    bool post();
    // Moves to the row, keeping the column.
    void goToRow(int row);
    int appendRow();
    // Gives the value of an open cell editor to the model.
    void commitEditor();
    bool isEditorOpen() const;

    static QString deleteQuestion();

Q_SIGNALS:
    // After every successful post (the table was re-read).
    void posted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool postAndReselect(const QVariantMap &key, int fallbackRow, int column);
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);

    QTableView *m_grid;
    NomenclatorModel *m_model;
    Messages &m_messages;
    QString m_keyField;
    bool m_editable = false;
    bool m_multi = false;
    bool m_busy = false;
};
