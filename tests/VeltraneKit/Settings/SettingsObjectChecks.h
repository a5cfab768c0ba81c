#pragma once

// Checks shared by the tests of the observable settings objects (the kit's SettingsStore and the
// application's FocusSettings), which follow the same rules: each setter writes its own key
// through at once with the value's JSON kind, and only a real change emits the property's signal.

#include "VeltraneKit/Settings/MemoryUserDefaults.h"

#include <QMetaProperty>
#include <QObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace settingschecks {

// One property: a setter call with a value other than its default, and the JSON it must store.
template <typename Object>
struct PropertyCase {
    const char* name;
    std::function<void(Object&)> change;
    nlohmann::json stored;
};

inline QMetaMethod notifySignal(const QObject& object, const char* property)
{
    const auto* meta = object.metaObject();
    return meta->property(meta->indexOfProperty(property)).notifySignal();
}

// For each case, on a fresh database: the setter writes exactly its key, with the expected value
// and JSON kind, and emits its own signal once and no other; the same value again is written
// again without a signal; a new object on the same database reads the value back.
template <typename Object>
void expectSettersWriteThroughAndSignalRealChanges(const std::vector<PropertyCase<Object>>& cases,
    const std::function<std::string(const char*)>& keyOf)
{
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        auto defaults = std::make_shared<veltrane::MemoryUserDefaults>();
        Object object(defaults);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const auto& other : cases)
            spies.push_back(std::make_unique<QSignalSpy>(&object, notifySignal(object, other.name)));

        row.change(object);
        EXPECT_EQ(defaults->keys(), std::vector<std::string> { keyOf(row.name) });
        const auto stored = defaults->value(keyOf(row.name));
        ASSERT_TRUE(stored);
        EXPECT_EQ(*stored, row.stored);
        EXPECT_EQ(stored->type(), row.stored.type());
        for (std::size_t index = 0; index < spies.size(); ++index)
            EXPECT_EQ(spies[index]->count(), cases[index].name == std::string(row.name) ? 1 : 0)
                << cases[index].name;

        const int writes = defaults->writeCount();
        row.change(object);
        EXPECT_EQ(defaults->writeCount(), writes + 1);
        for (const auto& spy : spies)
            EXPECT_LE(spy->count(), 1);

        Object reread(defaults);
        EXPECT_EQ(reread.property(row.name), object.property(row.name));
    }
}

// For each case: another writer storing the case's value makes the object read it (as a new
// object on the database would) and emit that property's signal alone; a value of a kind no
// setting takes then reads as the default again, as at start.
template <typename Object>
void expectOutsideChangesAreReadAgain(const std::vector<PropertyCase<Object>>& cases,
    const std::function<std::string(const char*)>& keyOf)
{
    const auto wrongKind = nlohmann::json::array({ nlohmann::json::object() });
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        auto defaults = std::make_shared<veltrane::MemoryUserDefaults>();
        Object object(defaults);
        const auto initial = object.property(row.name);
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const auto& other : cases)
            spies.push_back(std::make_unique<QSignalSpy>(&object, notifySignal(object, other.name)));

        defaults->changeFromOutside({ { keyOf(row.name), row.stored } });
        EXPECT_NE(object.property(row.name), initial);
        EXPECT_EQ(object.property(row.name), Object(defaults).property(row.name));
        for (std::size_t index = 0; index < spies.size(); ++index)
            EXPECT_EQ(spies[index]->count(), cases[index].name == std::string(row.name) ? 1 : 0)
                << cases[index].name;

        defaults->changeFromOutside({ { keyOf(row.name), wrongKind } });
        EXPECT_EQ(object.property(row.name), initial);
        EXPECT_EQ(defaults->writeCount(), 0);
    }
}

} // namespace settingschecks
