#pragma once

#include <QString>

// Every message box and question of the program goes through this interface, so that
// domain code never touches a widget and tests can script the answers.
class Messages
{
public:
    virtual ~Messages() = default;

    virtual void warning(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // True for OK.
    virtual bool okCancel(const QString &text) = 0;
    // True for Yes.
    virtual bool yesNo(const QString &text) = 0;
};
