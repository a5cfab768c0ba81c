#pragma once

#include <QFile>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The object a test notification server exports at /org/freedesktop/Notifications. It answers as
// a server that shows nothing would (it closes nothing and invokes no action), and appends every
// notice it receives to a log, one JSON object per line, flushed at once:
//   {"method": "Notify", "app_name": …, "replaces_id": …, "app_icon": …, "summary": …, "body": …,
//    "hints": {…}, "expire_timeout": …}
// Its capabilities are "body" and "sound", and "body-markup" when asked for.
class RecordingNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    RecordingNotificationServer(const QString& logPath, bool bodyMarkup, QObject* parent = nullptr);

public slots:
    QStringList GetCapabilities();
    QString GetServerInformation(QString& vendor, QString& version, QString& specificationVersion);
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
        const QString& body, const QStringList& actions, const QVariantMap& hints, int expireTimeout);

private:
    void record(QJsonObject call);

    QFile m_log;
    bool m_bodyMarkup;
    uint m_lastId = 0;
};
