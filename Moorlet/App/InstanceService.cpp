#include "Moorlet/App/InstanceService.h"

namespace moorlet {

InstanceService::InstanceService(QObject* parent)
    : QObject(parent)
{
}

void InstanceService::Activate()
{
    run(onActivate);
}

void InstanceService::Toggle()
{
    run(onToggle);
}

void InstanceService::Skip()
{
    run(onSkip);
}

void InstanceService::Reset()
{
    run(onReset);
}

QString InstanceService::Status()
{
    if (onStatus)
        return onStatus();
    run(nullptr);
    return {};
}

void InstanceService::run(const std::function<void()>& handler)
{
    if (handler) {
        handler();
        return;
    }
    if (calledFromDBus())
        sendErrorReply(QString::fromLatin1(kNotReadyError), QStringLiteral("Moorlet is still starting."));
}

} // namespace moorlet
