#include "app/IniOptions.h"

#include "app/IniFile.h"

#include <limits>

static QString options() { return QStringLiteral("Options"); }

IniOptions IniOptions::read(const IniFile &ini)
{
    IniOptions o;
    o.refreshSeconds = ini.intValue(options(), QStringLiteral("Refresh"), DefaultRefreshSeconds);
    o.checkForNewVersion = ini.boolValue(options(), QStringLiteral("Check for new version"), true);
    o.imageBackground = ini.value(options(), QStringLiteral("ImageBackground"));
    return o;
}

int IniOptions::refreshIntervalMs() const
{
    if (refreshSeconds <= 0)
        return 0;
    constexpr int maxSeconds = std::numeric_limits<int>::max() / 1000;
    return (refreshSeconds > maxSeconds ? maxSeconds : refreshSeconds) * 1000;
}

bool IniOptions::writeAtExit(IniFile &ini)
{
    ini.reload();
    ini.setBool(options(), QStringLiteral("Toolbar"), false);
    ini.setBool(options(), QStringLiteral("Germana"), false);
    return ini.save();
}
