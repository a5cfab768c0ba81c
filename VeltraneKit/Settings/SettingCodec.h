#pragma once

#include "VeltraneKit/Settings/UserDefaults.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace veltrane {

// How a setting of type T is read from and written to the user-defaults database. The
// observable settings objects hold Qt values; each specialisation maps one of them to the JSON
// kind its reader accepts, so that a value of any other kind reads as nothing (and the caller's
// default applies). An area with a type of its own (an enumeration stored as its raw value)
// specialises this beside that type.
template <typename T>
struct SettingCodec;

template <>
struct SettingCodec<bool> {
    static std::optional<bool> read(const UserDefaults& defaults, const std::string& key)
    {
        return defaults.boolean(key);
    }
    static void write(UserDefaults& defaults, const std::string& key, bool value)
    {
        defaults.setBoolean(key, value);
    }
};

template <>
struct SettingCodec<double> {
    static std::optional<double> read(const UserDefaults& defaults, const std::string& key)
    {
        return defaults.number(key);
    }
    static void write(UserDefaults& defaults, const std::string& key, double value)
    {
        defaults.setNumber(key, value);
    }
};

// A stored integer that does not fit an int is of the wrong kind for an int setting.
template <>
struct SettingCodec<int> {
    static std::optional<int> read(const UserDefaults& defaults, const std::string& key)
    {
        const auto stored = defaults.integer(key);
        if (!stored || *stored < std::numeric_limits<int>::min()
            || *stored > std::numeric_limits<int>::max())
            return std::nullopt;
        return static_cast<int>(*stored);
    }
    static void write(UserDefaults& defaults, const std::string& key, int value)
    {
        defaults.setInteger(key, value);
    }
};

template <>
struct SettingCodec<QString> {
    static std::optional<QString> read(const UserDefaults& defaults, const std::string& key)
    {
        const auto stored = defaults.string(key);
        if (!stored)
            return std::nullopt;
        return QString::fromStdString(*stored);
    }
    static void write(UserDefaults& defaults, const std::string& key, const QString& value)
    {
        defaults.setString(key, value.toStdString());
    }
};

template <>
struct SettingCodec<QStringList> {
    static std::optional<QStringList> read(const UserDefaults& defaults, const std::string& key)
    {
        const auto stored = defaults.stringList(key);
        if (!stored)
            return std::nullopt;
        QStringList list;
        list.reserve(static_cast<qsizetype>(stored->size()));
        for (const auto& element : *stored)
            list.append(QString::fromStdString(element));
        return list;
    }
    static void write(UserDefaults& defaults, const std::string& key, const QStringList& value)
    {
        std::vector<std::string> list;
        list.reserve(static_cast<std::size_t>(value.size()));
        for (const auto& element : value)
            list.push_back(element.toStdString());
        defaults.setStringList(key, list);
    }
};

// An optional string is stored as a string; absence removes the key.
template <>
struct SettingCodec<std::optional<QString>> {
    static std::optional<std::optional<QString>> read(
        const UserDefaults& defaults, const std::string& key)
    {
        return std::optional<QString>(SettingCodec<QString>::read(defaults, key));
    }
    static void write(
        UserDefaults& defaults, const std::string& key, const std::optional<QString>& value)
    {
        if (value)
            SettingCodec<QString>::write(defaults, key, *value);
        else
            defaults.removeValue(key);
    }
};

// The stored value under key, or fallback when it is missing or of another kind.
template <typename T>
T readSetting(const UserDefaults& defaults, const std::string& key, T fallback)
{
    auto stored = SettingCodec<T>::read(defaults, key);
    return stored ? std::move(*stored) : std::move(fallback);
}

// Whether two values of a setting are the same; two NaNs are (so setting NaN twice is no change).
template <typename T>
bool isSameSetting(const T& a, const T& b)
{
    if constexpr (std::is_floating_point_v<T>)
        return a == b || (std::isnan(a) && std::isnan(b));
    else
        return a == b;
}

// Assigns value to field, writes it through under key and, only when it differs from what field
// held, emits the object's change signal. The write happens either way: it also replaces a
// stored value of the wrong kind that read as the default.
template <typename Object, typename T>
void writeSetting(Object* object, void (Object::*changed)(), T& field, T value,
    UserDefaults& defaults, const std::string& key)
{
    const bool differs = !isSameSetting(field, value);
    field = std::move(value);
    SettingCodec<T>::write(defaults, key, field);
    if (differs)
        Q_EMIT(object->*changed)();
}

// Reads the setting under key into field as a fresh start would (fallback for a missing key or a
// value of another kind), and emits the object's change signal when that differs from what field
// held. The observable settings objects read every setting this way at construction and read the
// keys another writer changed again, so that the running program follows a hand edit.
template <typename Object, typename T>
void readSettingInto(Object* object, void (Object::*changed)(), T& field,
    const UserDefaults& defaults, const std::string& key, T fallback)
{
    T value = readSetting(defaults, key, std::move(fallback));
    if (isSameSetting(field, value))
        return;
    field = std::move(value);
    Q_EMIT(object->*changed)();
}

// Whether key is among the keys to read again; all of them when there is no list.
inline bool isAmong(const std::vector<std::string>* keys, const std::string& key)
{
    return !keys || std::find(keys->begin(), keys->end(), key) != keys->end();
}

} // namespace veltrane
