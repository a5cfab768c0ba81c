#include "Moorlet/SettingsWindow/SettingsLayout.h"

#include "Moorlet/SettingsWindow/SettingsTexts.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

namespace Spacing = veltrane::DesignTokens::Spacing;

using Kind = SettingsRowKind;
using Control = SettingsControl;

constexpr auto kContentPadding = Spacing::lg;
constexpr auto kSectionGap = Spacing::md;
// Between the group's edge and its rows' content.
constexpr auto kGroupInset = Spacing::sm;
// Above and below wrapped text.
constexpr auto kNotePadding = Spacing::xs;
constexpr auto kSwatchGap = 10.0;
constexpr auto kSwatchLineGap = Spacing::xs;
constexpr int kSwatchesPerLine = 5;
constexpr auto kAddButtonWidth = 56.0;
constexpr auto kDateFieldWidth = 160.0;
constexpr auto kSidebarInset = 10.0;
constexpr auto kSidebarTop = Spacing::md;
constexpr auto kSidebarTitleHeight = 20.0;
constexpr auto kSidebarRowGap = 2.0;
// A 13-point line and the vertical padding on both sides.
constexpr auto kSidebarRowHeight = 18.0 + 2 * SettingsLayout::kSidebarRowPaddingY;

// A segment's width in a picker that does not span its row.
double segmentWidth(Control control)
{
    return control == Control::dockSide ? 64 : 76;
}

QRectF trailing(const QRectF& row, double width, double height)
{
    return QRectF(row.right() - width, row.center().y() - height / 2, width, height);
}

} // namespace

std::vector<SettingsSectionSpec> paneSections(SettingsPane pane, const SettingsPaneState& state)
{
    std::vector<SettingsSectionSpec> sections;
    switch (pane) {
    case SettingsPane::timer: {
        SettingsSectionSpec mode { SettingsTexts::kTimerSection, { { Kind::choice, Control::mode }, { Kind::caption, Control::mode } } };
        if (state.customMode) {
            for (const Control control :
                { Control::customFocus, Control::customShortBreak, Control::customLongBreak, Control::customInterval })
                mode.rows.push_back({ Kind::stepper, control });
        }
        sections.push_back(std::move(mode));
        sections.push_back({ SettingsTexts::kDisciplineSection, { { Kind::stepper, Control::dailyGoal } } });
        SettingsSectionSpec subjects { SettingsTexts::kSubjectsSection, { { Kind::caption, Control::subjectsCaption } } };
        for (int i = 0; i < state.subjectCount; ++i)
            subjects.rows.push_back({ Kind::item, Control::subject, i });
        subjects.rows.push_back({ Kind::field, Control::newSubject });
        sections.push_back(std::move(subjects));
        break;
    }
    case SettingsPane::focus:
        sections.push_back({ SettingsTexts::kShortcutSection,
            { { Kind::toggle, Control::hotKey }, { Kind::value, Control::hotKeyCombination } } });
        if (state.hotKeyNote)
            sections.back().rows.push_back({ Kind::note, Control::hotKeyNote });
        sections.push_back({ SettingsTexts::kDoNotDisturbSection,
            { { Kind::toggle, Control::autoShortcuts }, { Kind::field, Control::focusShortcutName },
                { Kind::field, Control::breakShortcutName }, { Kind::note, Control::automationsNote } } });
        sections.push_back({ SettingsTexts::kAwaySection, { { Kind::toggle, Control::pauseOnLock } } });
        // Without an idle time the question can never come: the note says so instead of a stepper.
        sections.back().rows.push_back(state.idleTimeAvailable ? SettingsRowSpec { Kind::stepper, Control::awayQuestion }
                                                               : SettingsRowSpec { Kind::note, Control::awayNote });
        break;
    case SettingsPane::appearance:
        sections.push_back({ SettingsTexts::kThemeSection, { { Kind::swatches, Control::themes, 0, state.themeCount } } });
        sections.push_back({ SettingsTexts::kAccentSection,
            { { Kind::toggle, Control::customAccent }, { Kind::colour, Control::accentColor } } });
        sections.push_back({ SettingsTexts::kWidgetSection,
            { { Kind::choice, Control::appearance }, { Kind::choice, Control::dockSide },
                { Kind::caption, Control::dockSideCaption }, { Kind::slider, Control::opacity },
                { Kind::toggle, Control::reduceMotion } } });
        break;
    case SettingsPane::sound:
        sections.push_back({ SettingsTexts::kAmbientSection,
            { { Kind::toggle, Control::ambientOnFocus }, { Kind::toggle, Control::ambientPauseOnBreak },
                { Kind::slider, Control::masterVolume }, { Kind::slider, Control::fade },
                { Kind::note, Control::ambientNote } } });
        sections.push_back({ SettingsTexts::kCuesSection, { { Kind::toggle, Control::soundEffects } } });
        break;
    case SettingsPane::deadlines: {
        sections.push_back({ SettingsTexts::kAddDeadlineSection,
            { { Kind::field, Control::newDeadlineTitle }, { Kind::date, Control::newDeadlineDate },
                { Kind::button, Control::addDeadline } } });
        SettingsSectionSpec upcoming { SettingsTexts::kUpcomingSection, {} };
        if (state.deadlineCount == 0)
            upcoming.rows.push_back({ Kind::empty, Control::noDeadlines });
        for (int i = 0; i < state.deadlineCount; ++i)
            upcoming.rows.push_back({ Kind::item, Control::deadline, i });
        sections.push_back(std::move(upcoming));
        break;
    }
    case SettingsPane::about: {
        sections.push_back({ SettingsTexts::kHelpSection,
            { { Kind::button, Control::replayTour }, { Kind::note, Control::helpNote },
                { Kind::button, Control::copyDiagnostics } } });
        SettingsSectionSpec updates { SettingsTexts::kUpdatesSection, { { Kind::value, Control::version } } };
        if (!state.updatesItself)
            updates.rows.push_back({ Kind::note, Control::updatesFromPackage });
        else {
            if (state.updatePhase == UpdateManager::Phase::Kind::available)
                updates.rows.push_back({ Kind::button, Control::updateDownload });
            if (state.updatePhase == UpdateManager::Phase::Kind::readyToInstall)
                updates.rows.push_back({ Kind::button, Control::updateRestart });
            updates.rows.push_back({ Kind::toggle, Control::autoUpdate });
            updates.rows.push_back({ Kind::button, Control::checkForUpdates });
        }
        sections.push_back(std::move(updates));
        SettingsSectionSpec about { SettingsTexts::kAboutSection, { { Kind::note, Control::privacyNote } } };
        if (state.launchAtLoginAvailable)
            about.rows.push_back({ Kind::toggle, Control::launchAtLogin });
        sections.push_back(std::move(about));
        break;
    }
    }
    return sections;
}

SettingsLayout::SettingsLayout(const std::vector<SettingsSectionSpec>& sections, double width,
    const std::function<double(SettingsControl, double width)>& textHeight)
{
    const double groupWidth = std::max(0.0, width - 2 * kContentPadding);
    const double rowWidth = std::max(0.0, groupWidth - 2 * kGroupInset);
    double y = kContentPadding - kSectionGap;
    for (const SettingsSectionSpec& spec : sections) {
        y += kSectionGap;
        Section section;
        section.title = spec.title;
        section.titleRect = QRectF(kContentPadding + kGroupInset, y, rowWidth, kSectionTitleHeight);
        y += kSectionTitleHeight;
        const double groupTop = y;
        for (const SettingsRowSpec& rowSpec : spec.rows) {
            double height = kRowHeight;
            switch (rowSpec.kind) {
            case Kind::note:
            case Kind::caption: {
                const QRectF probe(0, 0, rowWidth, kRowHeight);
                height = std::ceil(textHeight(rowSpec.control, noteTextWidth(probe))) + 2 * kNotePadding;
                break;
            }
            case Kind::swatches: {
                const int perLine = swatchesPerLine(rowWidth);
                const int lines = std::max(1, (rowSpec.count + perLine - 1) / perLine);
                height = lines * (kSwatchTileHeight + kSwatchNameHeight) + (lines - 1) * kSwatchLineGap + 2 * kGroupInset;
                break;
            }
            default:
                break;
            }
            section.rows.push_back({ rowSpec, QRectF(kContentPadding + kGroupInset, y, rowWidth, height) });
            y += height;
        }
        section.group = QRectF(kContentPadding, groupTop, groupWidth, y - groupTop);
        m_sections.push_back(std::move(section));
    }
    m_height = y + kContentPadding;
}

std::optional<SettingsLayout::Row> SettingsLayout::row(SettingsControl control, int index) const
{
    for (const Section& section : m_sections) {
        for (const Row& row : section.rows) {
            if (row.spec.control == control && row.spec.index == index)
                return row;
        }
    }
    return std::nullopt;
}

QRectF SettingsLayout::partRect(const Row& row, Part part, int index)
{
    const QRectF& rect = row.rect;
    switch (part) {
    case Part::control:
        switch (row.spec.kind) {
        case Kind::toggle:
            return trailing(rect, kSwitchWidth, kSwitchHeight);
        case Kind::slider:
            return trailing(rect, kSliderWidth, kSwitchHeight);
        case Kind::field:
            if (row.spec.control == Control::newSubject)
                return QRectF(rect.left(), rect.center().y() - kFieldHeight / 2,
                    rect.width() - kAddButtonWidth - Spacing::xs, kFieldHeight);
            if (row.spec.control == Control::newDeadlineTitle)
                return QRectF(rect.left(), rect.center().y() - kFieldHeight / 2, rect.width(), kFieldHeight);
            return trailing(rect, kFieldWidth, kFieldHeight);
        case Kind::date:
            return trailing(rect, kDateFieldWidth, kFieldHeight);
        default:
            return rect;
        }
    case Part::decrement:
        return trailing(rect.adjusted(0, 0, -kStepButtonWidth, 0), kStepButtonWidth, kStepButtonHeight);
    case Part::increment:
        return trailing(rect, kStepButtonWidth, kStepButtonHeight);
    case Part::segment: {
        const int count = segmentCount(row.spec.control);
        if (row.spec.control == Control::mode) {
            const double width = rect.width() / count;
            return QRectF(rect.left() + index * width, rect.center().y() - kSegmentHeight / 2, width, kSegmentHeight);
        }
        const double width = segmentWidth(row.spec.control);
        return QRectF(rect.right() - (count - index) * width, rect.center().y() - kSegmentHeight / 2, width, kSegmentHeight);
    }
    case Part::remove:
        return trailing(rect, kRemoveButtonSize, kRemoveButtonSize);
    case Part::swatch: {
        const int perLine = swatchesPerLine(rect.width());
        const double width = (rect.width() - (perLine - 1) * kSwatchGap) / perLine;
        const int line = index / perLine;
        const int column = index % perLine;
        return QRectF(rect.left() + column * (width + kSwatchGap),
            rect.top() + kGroupInset + line * (kSwatchTileHeight + kSwatchNameHeight + kSwatchLineGap), width,
            kSwatchTileHeight + kSwatchNameHeight);
    }
    case Part::hexField:
        return trailing(rect, kHexFieldWidth, kFieldHeight);
    case Part::well:
        return trailing(rect.adjusted(0, 0, -(kHexFieldWidth + Spacing::xs), 0), kWellWidth, kFieldHeight);
    case Part::addButton:
        return trailing(rect, kAddButtonWidth, kFieldHeight);
    }
    return rect;
}

int SettingsLayout::segmentCount(SettingsControl control)
{
    return control == Control::dockSide ? 4 : 3;
}

double SettingsLayout::noteTextWidth(const QRectF& row)
{
    // The symbol's column before the text.
    return std::max(0.0, row.width() - (kSymbolSize + Spacing::xs + Spacing::tight));
}

int SettingsLayout::swatchesPerLine(double)
{
    return kSwatchesPerLine;
}

QRectF SettingsLayout::sidebarTitleRect()
{
    return QRectF(kSidebarInset + kSidebarRowPaddingX, kSidebarTop, kSidebarWidth - 2 * kSidebarInset - kSidebarRowPaddingX,
        kSidebarTitleHeight);
}

QRectF SettingsLayout::sidebarRowRect(SettingsPane pane)
{
    const int index = static_cast<int>(pane);
    const double top = kSidebarTop + kSidebarTitleHeight + Spacing::xs;
    return QRectF(kSidebarInset, top + index * (kSidebarRowHeight + kSidebarRowGap), kSidebarWidth - 2 * kSidebarInset,
        kSidebarRowHeight);
}

} // namespace moorlet
