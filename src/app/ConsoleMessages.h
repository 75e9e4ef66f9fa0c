#pragma once

#include "app/Messages.h"

// Messages for the headless commands: texts go to standard error, questions take
// their default answer (a script cannot be asked).
class ConsoleMessages : public Messages
{
public:
    explicit ConsoleMessages(bool defaultAnswer = true) : m_default(defaultAnswer) {}

    void warning(const QString &text) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool okCancel(const QString &text) override;
    bool yesNo(const QString &text) override;

private:
    bool m_default;
};
