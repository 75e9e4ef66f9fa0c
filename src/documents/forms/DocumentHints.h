#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The status-line hints of a document window's header fields, shown as a field gets the
// focus; the texts the entry and exit windows share.
class DocumentHints : public QObject
{
    Q_OBJECT
public:
    explicit DocumentHints(QObject *parent) : QObject(parent) {}

    void add(QWidget *field, const QString &hint);
    QString hint(const QWidget *field) const;

    static QString registrationDate();
    static QString numberAndDate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<const QObject *, QString> m_hints;
};
