#include "app/ConsoleMessages.h"

#include <cstdio>

static void print(const char *prefix, const QString &text)
{
    std::fprintf(stderr, "%s%s\n", prefix, text.toLocal8Bit().constData());
}

void ConsoleMessages::warning(const QString &text) { print("Atentie: ", text); }
void ConsoleMessages::error(const QString &text) { print("Eroare: ", text); }
void ConsoleMessages::information(const QString &text) { print("", text); }

bool ConsoleMessages::okCancel(const QString &text)
{
    print("", text);
    return m_default;
}

bool ConsoleMessages::yesNo(const QString &text)
{
    print("", text);
    return m_default;
}
