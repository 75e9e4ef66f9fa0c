#pragma once

#include "app/WorkMessage.h"

// The work message of headless commands and tests: shows nothing, remembers the last
// text so a test can see what the work reported.
class SilentWorkMessage : public WorkMessage
{
public:
    void show(const QString &text) override
    {
        m_text = text;
        m_shown = true;
    }
    void hide() override { m_shown = false; }

    QString text() const { return m_text; }
    bool isShown() const { return m_shown; }

private:
    QString m_text;
    bool m_shown = false;
};
