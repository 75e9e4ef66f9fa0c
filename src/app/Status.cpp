#include "app/Status.h"

StatusTarget::~StatusTarget() = default;

namespace {
StatusTarget *g_target = nullptr;
StatusTarget *g_second = nullptr;
} // namespace

namespace Status {

void registerTarget(StatusTarget *target)
{
    g_target = target;
}

void registerSecondTarget(StatusTarget *target)
{
    g_second = target;
}

void show(const QString &text)
{
    if (g_target)
        g_target->setStatusText(text);
    // The same object registered twice shows the text once.
    if (g_second && g_second != g_target)
        g_second->setStatusText(text);
}

} // namespace Status
