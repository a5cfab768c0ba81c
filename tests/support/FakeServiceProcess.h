#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A test service running as a child process on the session bus. The constructor returns once the
// service owns its bus name (or has died); the destructor ends it and waits until the name is free
// again, so the next test can start its own.
class FakeServiceProcess {
public:
    FakeServiceProcess(const QString& program, const QStringList& arguments, QString serviceName);
    ~FakeServiceProcess();
    FakeServiceProcess(const FakeServiceProcess&) = delete;
    FakeServiceProcess& operator=(const FakeServiceProcess&) = delete;

    // True when the service came up and owns its name.
    bool isReady() const;

private:
    QString m_serviceName;
    std::unique_ptr<QProcess> m_process;
};
