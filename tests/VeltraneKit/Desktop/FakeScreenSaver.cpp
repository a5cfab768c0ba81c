#include "tests/VeltraneKit/Desktop/FakeScreenSaver.h"

#include <utility>

bool FakeMutterIdleMonitor::answer(quint64 milliseconds)
{
    const auto calls = std::exchange(m_calls, {});
    for (const auto& call : calls)
        m_bus.connection().send(call.createReply(QVariant::fromValue(milliseconds)));
    return !calls.empty();
}

quint64 FakeMutterIdleMonitor::GetIdletime()
{
    setDelayedReply(true);
    m_calls.push_back(message());
    return 0;
}
