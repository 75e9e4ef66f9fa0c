#pragma once

#include <QString>

class IniFile;

// The keys of the program INI's "Options" section that the main window uses.
struct IniOptions
{
    static constexpr int DefaultRefreshSeconds = 30;

    int refreshSeconds = DefaultRefreshSeconds;
    bool checkForNewVersion = true;
    QString imageBackground;

    // Missing keys take their defaults.
    static IniOptions read(const IniFile &ini);
    // Interval of the refresh timer; 0 (no refresh) when "Refresh" is zero or negative,
    // since a zero-interval timer would re-read every table without pause.
    int refreshIntervalMs() const;

    // The keys the main window writes when it closes ("Toolbar", "Germana", always 0).
    // Re-reads the file first so that values written meanwhile by others are kept.
    static bool writeAtExit(IniFile &ini);
};
