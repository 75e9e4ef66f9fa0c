#pragma once

#include "app/Messages.h"

class QWidget;

// The real message boxes; the only place of the program that uses QMessageBox.
class BoxMessages : public Messages
{
public:
    explicit BoxMessages(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    void warning(const QString &text) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool okCancel(const QString &text) override;
    bool yesNo(const QString &text) override;

private:
    QWidget *m_parent;
};
