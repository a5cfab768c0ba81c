#include "Moorlet/App/MenuBarContent.h"

#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/SettingsWindow/SettingsTexts.h"

#include <QCoreApplication>
#include <QMenu>

namespace moorlet {

namespace {

QString toggleTitle(SessionPhase phase, bool isRunning)
{
    if (phase == SessionPhase::idle)
        return QStringLiteral("Start focus");
    return isRunning ? QStringLiteral("Pause") : QStringLiteral("Resume");
}

} // namespace

MenuBarContent::MenuBarContent(FocusController& controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_menu(std::make_unique<QMenu>())
{
    onQuit = [] { QCoreApplication::quit(); };
    for (const auto& item : items(controller.phase(), controller.isRunning())) {
        if (item.role == MenuBarItem::Role::separator) {
            m_menu->addSeparator();
            continue;
        }
        auto* action = m_menu->addAction(item.title);
        action->setShortcut(item.shortcut);
        const auto role = item.role;
        connect(action, &QAction::triggered, this, [this, role] { trigger(role); });
        m_actions.emplace_back(role, action);
    }
    connect(&controller, &FocusController::phaseChanged, this, &MenuBarContent::update);
    connect(&controller, &FocusController::isRunningChanged, this, &MenuBarContent::update);
    connect(&controller, &FocusController::isPausedChanged, this, &MenuBarContent::update);
    update();
}

MenuBarContent::~MenuBarContent() = default;

std::vector<MenuBarItem> MenuBarContent::items(SessionPhase phase, bool isRunning, bool updatesItself)
{
    const bool active = phase != SessionPhase::idle;
    return {
        { MenuBarItem::Role::toggle, toggleTitle(phase, isRunning), true, {} },
        { MenuBarItem::Role::skip, QStringLiteral("Skip"), active, {} },
        { MenuBarItem::Role::reset, QStringLiteral("Reset"), active, {} },
        { MenuBarItem::Role::separator, {}, true, {} },
        { MenuBarItem::Role::insights, QStringLiteral("Insights"), true, {} },
        { MenuBarItem::Role::guide, QStringLiteral("Guide…"), true, {} },
        { MenuBarItem::Role::settings, QStringLiteral("Settings"), true, QKeySequence(Qt::CTRL | Qt::Key_Comma) },
        { MenuBarItem::Role::separator, {}, true, {} },
        { MenuBarItem::Role::checkForUpdates,
            updatesItself ? QStringLiteral("Check for Updates…") : QString::fromLatin1(SettingsTexts::kUpdatesFromPackage),
            updatesItself, {} },
        { MenuBarItem::Role::quit, QStringLiteral("Quit Moorlet"), true, QKeySequence(Qt::CTRL | Qt::Key_Q) },
    };
}

std::vector<MenuBarItem> MenuBarContent::currentItems() const
{
    std::vector<MenuBarItem> shown;
    for (auto* action : m_menu->actions()) {
        if (action->isSeparator()) {
            shown.push_back({ MenuBarItem::Role::separator, {}, true, {} });
            continue;
        }
        for (const auto& [role, known] : m_actions) {
            if (known == action)
                shown.push_back({ role, action->text(), action->isEnabled(), action->shortcut() });
        }
    }
    return shown;
}

void MenuBarContent::setUpdatesItself(bool updatesItself)
{
    m_updatesItself = updatesItself;
    update();
}

void MenuBarContent::update()
{
    for (const auto& item : items(m_controller.phase(), m_controller.isRunning(), m_updatesItself)) {
        for (const auto& [role, action] : m_actions) {
            if (role != item.role)
                continue;
            // QAction tells the tray only about real changes, so unchanged entries cost nothing.
            action->setText(item.title);
            action->setEnabled(item.enabled);
        }
    }
}

void MenuBarContent::trigger(MenuBarItem::Role role)
{
    switch (role) {
    case MenuBarItem::Role::toggle:
        SessionCommands::toggle(m_controller);
        break;
    case MenuBarItem::Role::skip:
        SessionCommands::skip(m_controller);
        break;
    case MenuBarItem::Role::reset:
        SessionCommands::reset(m_controller);
        break;
    case MenuBarItem::Role::insights:
        if (openInsights)
            openInsights();
        break;
    case MenuBarItem::Role::guide:
        if (openGuide)
            openGuide();
        break;
    case MenuBarItem::Role::settings:
        if (openSettings)
            openSettings();
        break;
    case MenuBarItem::Role::checkForUpdates:
        if (checkForUpdates)
            checkForUpdates();
        break;
    case MenuBarItem::Role::quit:
        if (onQuit)
            onQuit();
        break;
    case MenuBarItem::Role::separator:
        break;
    }
}

} // namespace moorlet
