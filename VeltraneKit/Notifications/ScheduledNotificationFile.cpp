#include "VeltraneKit/Notifications/ScheduledNotificationFile.h"

#include "VeltraneKit/Files/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace veltrane {

namespace {

constexpr auto kListKey = "scheduled";
constexpr auto kDayFormat = "yyyy-MM-dd";
constexpr auto kMinuteFormat = "HH:mm";
constexpr QChar kSeparator = u'T';
// Enough numbered names for any run of corrupt files a user could collect.
constexpr int kMaximumAsideNames = 1000;
// Far beyond any real list of reminders; a larger file is kept aside unread.
constexpr std::uint64_t kLargestFile = 16 * 1024 * 1024;

QString text(const QJsonObject& object, const char* key, bool* valid)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString())
        *valid = false;
    return value.toString();
}

std::optional<ScheduledNotification> decode(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    bool valid = true;
    const QString id = text(object, "id", &valid);
    const QString at = text(object, "at", &valid);
    const QString title = text(object, "title", &valid);
    const QString body = text(object, "body", &valid);
    // Day and minute are parsed apart: a local time inside a daylight-saving gap is still a
    // valid wish ("02:30 on the day the clocks go forward") even though no instant has it.
    const QDate day = QDate::fromString(at.section(kSeparator, 0, 0), QLatin1String(kDayFormat));
    const QTime minute = QTime::fromString(at.section(kSeparator, 1), QLatin1String(kMinuteFormat));
    if (!valid || id.isEmpty() || !day.isValid() || !minute.isValid())
        return std::nullopt;
    return ScheduledNotification { id.toStdString(), day, minute, title.toStdString(),
        body.toStdString() };
}

QJsonObject encode(const ScheduledNotification& request)
{
    return QJsonObject {
        { QStringLiteral("id"), QString::fromStdString(request.id) },
        { QStringLiteral("at"),
            request.day.toString(QLatin1String(kDayFormat)) + kSeparator
                + request.minute.toString(QLatin1String(kMinuteFormat)) },
        { QStringLiteral("title"), QString::fromStdString(request.title) },
        { QStringLiteral("body"), QString::fromStdString(request.body) },
    };
}

} // namespace

ScheduledNotificationFile::ScheduledNotificationFile(QString path)
    : m_path(std::move(path))
{
}

std::vector<ScheduledNotification> ScheduledNotificationFile::load()
{
    // Never blocks: a pipe or device in the file's place is unreadable and is kept aside below.
    const auto file = DurableFile::read(QFile::encodeName(m_path).toStdString(), kLargestFile);
    if (file.status == DurableFile::ReadStatus::missing)
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(file.text.data(), static_cast<qsizetype>(file.text.size())), &error);

    std::vector<ScheduledNotification> requests;
    bool intact = file.status == DurableFile::ReadStatus::read && error.error == QJsonParseError::NoError
        && document.isObject()
        && document.object().value(QLatin1String(kListKey)).isArray();
    if (intact) {
        for (const QJsonValue& entry : document.object().value(QLatin1String(kListKey)).toArray()) {
            auto request = decode(entry);
            if (!request) {
                intact = false;
                break;
            }
            requests.push_back(std::move(*request));
        }
    }
    if (intact)
        return requests;
    // Dropping the unreadable entries and saving the rest would destroy what the user had, so the
    // whole file is kept aside instead.
    if (!moveAside())
        m_writable = false;
    return {};
}

bool ScheduledNotificationFile::save(const std::vector<ScheduledNotification>& requests)
{
    if (!m_writable)
        return false;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QJsonArray list;
    for (const auto& request : requests)
        list.append(encode(request));
    const QByteArray bytes
        = QJsonDocument(QJsonObject { { QLatin1String(kListKey), list } }).toJson(QJsonDocument::Indented);
    // Not QSaveFile: its commit() renames the temporary file into place even when flushing its
    // buffer failed, so a full disk replaced the file with an empty one and reported success.
    return DurableFile::replace(QFile::encodeName(m_path).toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool ScheduledNotificationFile::moveAside()
{
    const QString base = m_path + QStringLiteral(".corrupt");
    for (int index = 1; index <= kMaximumAsideNames; ++index) {
        const QString target = index == 1 ? base : base + QLatin1Char('-') + QString::number(index);
        if (QFileInfo::exists(target))
            continue;
        return QFile::rename(m_path, target);
    }
    return false;
}

} // namespace veltrane
