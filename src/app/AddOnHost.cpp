#include "app/AddOnHost.h"

#include "app/Messages.h"

#include <QCoreApplication>
#include <QSettings>

AddOnHost::AddOnHost(Messages &messages) : m_messages(messages)
{
    m_application.name = QCoreApplication::applicationName().toUtf8();
    m_application.version = QByteArray(TESSARO_VERSION);
}

AddOnHost::~AddOnHost()
{
    unloadAll();
}

QStringList AddOnHost::moduleList(QSettings &settings)
{
    QStringList paths;
    settings.beginGroup(settingsGroup());
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys)
        paths << settings.value(key).toString();
    settings.endGroup();
    return paths;
}

QStringList AddOnHost::systemModuleList()
{
    QSettings settings(QSettings::SystemScope, QStringLiteral("Brindell"), QStringLiteral("Tessaro"));
    return moduleList(settings);
}

QString AddOnHost::loadFailureText(const QString &path)
{
    return QStringLiteral("Nu pot încarca modulul \"%1\" !").arg(path);
}

QString AddOnHost::settingsPath()
{
    return QStringLiteral("SOFTWARE\\Brindell\\Tessaro\\AddOns\\SpecRap\\");
}

void AddOnHost::load(const QStringList &paths)
{
    for (const QString &path : paths) {
        auto module = std::make_unique<AddOnModule>();
        if (!module->load(path, settingsPath())) {
            m_messages.error(loadFailureText(path));
            continue;
        }
        QString name = module->ownName();
        if (name.isEmpty()) {
            int &counter = module->family() == AddOnModule::Family::Dtl ? m_unnamedDtl
                                                                         : m_unnamedQdr;
            name = QStringLiteral("AddOn %1").arg(counter++);
        }
        module->setName(name);
        module->init(&m_screen, &m_application, AddOnHandles::api());
        m_modules.push_back(std::move(module));
    }
}

TessaroWindow *AddOnHost::windowHandle(QObject *window)
{
    // Handles of windows that have closed are no longer valid for the modules.
    std::erase_if(m_windows, [](const auto &handle) { return !handle->window; });
    for (const auto &handle : m_windows) {
        if (handle->window == window)
            return handle.get();
    }
    auto handle = std::make_unique<TessaroWindow>();
    handle->window = window;
    m_windows.push_back(std::move(handle));
    return m_windows.back().get();
}

TessaroTable *AddOnHost::tableHandle(TableView view)
{
    std::erase_if(m_tables, [](const auto &handle) { return !handle->model; });
    auto handle = std::make_unique<TessaroTable>();
    handle->model = view.model;
    handle->selection = view.selection;
    m_tables.push_back(std::move(handle));
    return m_tables.back().get();
}

void AddOnHost::mergeAndFree(const AddOnModule &module, TessaroMenu *menu, const MenuMerge &merge)
{
    if (!menu)
        return;
    std::unique_ptr<TessaroMenu> owned(menu);
    owned->moduleLoaded = module.loadedFlag();
    if (merge)
        merge(*owned);
}

void AddOnHost::offerMainForm(QObject *mainWindow, const MenuMerge &merge)
{
    TessaroWindow *window = windowHandle(mainWindow);
    for (const auto &module : m_modules) {
        if (module->isLoaded())
            mergeAndFree(*module, module->mainForm(window), merge);
    }
}

void AddOnHost::offerDocForm(bool entry, QObject *window, TableView documents, TableView lines,
                             const MenuMerge &merge)
{
    TessaroWindow *handle = windowHandle(window);
    TessaroTable *documentsHandle = nullptr;
    TessaroTable *linesHandle = nullptr;
    for (const auto &module : m_modules) {
        const TessaroAddOnDocForm call = entry ? module->docInForm : module->docOutForm;
        if (!module->isLoaded() || !call)
            continue;
        if (!documentsHandle) {
            documentsHandle = tableHandle(documents);
            linesHandle = tableHandle(lines);
        }
        mergeAndFree(*module, call(handle, documentsHandle, linesHandle), merge);
    }
}

void AddOnHost::offerDocInForm(QObject *window, TableView documents, TableView lines,
                               const MenuMerge &merge)
{
    offerDocForm(true, window, documents, lines, merge);
}

void AddOnHost::offerDocOutForm(QObject *window, TableView documents, TableView lines,
                                const MenuMerge &merge)
{
    offerDocForm(false, window, documents, lines, merge);
}

void AddOnHost::setDataDirectory(const QString &dataDirectory)
{
    const QByteArray text = dataDirectory.toUtf8();
    for (const auto &module : m_modules) {
        if (module->isLoaded())
            module->changeDB(text.constData());
    }
}

void AddOnHost::unloadAll()
{
    for (const auto &module : m_modules)
        module->unload();
    m_modules.clear();
    m_windows.clear();
    m_tables.clear();
}
