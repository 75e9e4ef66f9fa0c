#pragma once

#include "documents/ManagementUnits.h"

#include <QDialog>

class QListWidget;

// "Transfer spre o alta gestiune": what the transfer does, and the list of management
// units (by name) to choose the receiving one from.
class TTransferDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TTransferDlg(const QList<ManagementUnits::Unit> &units, QWidget *parent = nullptr);

    static QString caption() { return QStringLiteral("Transfer spre o alta gestiune"); }

    // The code of the receiving unit; empty when cancelled. The list starts on `preselected`
    // when it is one of the units.
    static QString execute(const QList<ManagementUnits::Unit> &units, const QString &preselected = QString(),
                           QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The unit the list stands on (the one last clicked); empty when none.
    QString receivingUnit() const;
    void selectUnit(const QString &code);

private:
    QList<ManagementUnits::Unit> m_units;
    QListWidget *m_list = nullptr;
};
