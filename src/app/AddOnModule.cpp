#include "app/AddOnModule.h"

QByteArray AddOnModule::entryName(Family family, const char *suffix)
{
    return QByteArray(family == Family::Dtl ? "Dtl" : "Qdr") + suffix;
}

QFunctionPointer AddOnModule::resolve(const QByteArray &name)
{
    return m_library.resolve(name.constData());
}

bool AddOnModule::load(const QString &path, const QString &settingsPath)
{
    m_path = path;
    if (path.isEmpty())
        return false;
    m_library.setFileName(path);
    if (!m_library.load())
        return false;

    init = reinterpret_cast<TessaroInitAddOnDLL>(resolve("InitAddOnDLL"));
    clear = reinterpret_cast<TessaroClearAddOnDLL>(resolve("ClearAddOnDLL"));
    if (!init || !clear) {
        m_library.unload();
        return false;
    }

    dtl = reinterpret_cast<TessaroDtlAddOnDLL>(resolve("DtlAddOnDLL"));
    if (dtl) {
        dtl(settingsPath.toUtf8().constData());
        m_family = Family::Dtl;
    } else {
        m_family = Family::Qdr;
    }
    mainForm = reinterpret_cast<TessaroAddOnMainForm>(resolve(entryName(m_family, "AddOnMainForm")));
    changeDB = reinterpret_cast<TessaroAddOnChangeDB>(resolve(entryName(m_family, "AddOnChangeDB")));
    getName = reinterpret_cast<TessaroAddOnGetName>(resolve(entryName(m_family, "AddOnGetName")));
    docInForm = reinterpret_cast<TessaroAddOnDocForm>(resolve(entryName(m_family, "AddOnDocInForm")));
    docOutForm = reinterpret_cast<TessaroAddOnDocForm>(resolve(entryName(m_family, "AddOnDocOutForm")));
    addTables = reinterpret_cast<TessaroAddOnAddTables>(resolve(entryName(m_family, "AddOnAddTables")));
    if (!mainForm || !changeDB) {
        m_library.unload();
        return false;
    }
    *m_loaded = true;
    return true;
}

QString AddOnModule::ownName() const
{
    if (!getName)
        return QString();
    const char *text = getName();
    return text ? QString::fromUtf8(text) : QString();
}

void AddOnModule::unload()
{
    if (!isLoaded())
        return;
    // Menus copied from this module stop calling it from now on.
    *m_loaded = false;
    clear();
    m_library.unload();
}
