#pragma once

#include "app/WorkMessage.h"

#include <QPointer>

class QWidget;
class TMessageForm;

// The work message of the windowed program: a TMessageForm made on the first show()
// and destroyed by hide().
class ScreenWorkMessage : public WorkMessage
{
public:
    explicit ScreenWorkMessage(QWidget *owner = nullptr);
    ~ScreenWorkMessage() override;

    void show(const QString &text) override;
    void hide() override;

    // The window while shown, else nullptr.
    TMessageForm *window() const { return m_form; }

private:
    QPointer<QWidget> m_owner;
    QPointer<TMessageForm> m_form;
};
