#pragma once

#include "Moorlet/SettingsWindow/SettingsControl.h"
#include "Moorlet/SettingsWindow/SettingsPane.h"
#include "Moorlet/Update/UpdateManager.h"

#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace moorlet {

// How a row of a pane looks and takes input.
enum class SettingsRowKind {
    toggle,   // symbol, title, a switch at the trailing edge
    stepper,  // symbol, title, the value, a minus and a plus button
    choice,   // a segmented picker (with its title before it when it has one)
    slider,   // symbol, title, optionally the value, a track
    field,    // a text field (a child widget), after the title when the row has one
    date,     // title and a date field (a child widget)
    button,   // a symbol and a title in the accent colour
    note,     // a symbol and wrapped secondary text
    caption,  // wrapped secondary text under the row before it
    value,    // symbol, title and a trailing read-only value
    item,     // one entry of a list with a trailing remove button
    swatches, // the grid of theme swatches
    colour,   // symbol, title, a colour well and its hex field
    empty,    // a symbol and a quiet line saying a list is empty
};

// One row of a pane.
struct SettingsRowSpec {
    SettingsRowKind kind;
    SettingsControl control;
    // Which entry of a list (a subject, a deadline); 0 otherwise.
    int index = 0;
    // The swatch grid: how many swatches it holds.
    int count = 0;
};

// A titled group of rows.
struct SettingsSectionSpec {
    QString title;
    std::vector<SettingsRowSpec> rows;
};

// What a pane shows depends on a few facts of the moment.
struct SettingsPaneState {
    bool customMode = false;
    int subjectCount = 0;
    int deadlineCount = 0;
    int themeCount = 0;
    bool launchAtLoginAvailable = false;
    bool idleTimeAvailable = true;
    // The hot key needs explaining (SettingsBindings::hotKeyNote).
    bool hotKeyNote = false;
    // The program updates itself (else one line says where updates come from), and how far the
    // update manager is.
    bool updatesItself = false;
    UpdateManager::Phase::Kind updatePhase = UpdateManager::Phase::Kind::idle;
};

// The sections and rows of a pane, top to bottom.
std::vector<SettingsSectionSpec> paneSections(SettingsPane pane, const SettingsPaneState& state);

// Where everything of the settings window lies: the sidebar on the left, the divider, and the
// selected pane's sections in the content column (in the content's own coordinates, which scroll).
// Pure geometry: the painters and the hit tests read it.
class SettingsLayout {
public:
    // The sidebar's width and its rows' padding and rounding.
    static constexpr double kSidebarWidth = 184;
    static constexpr double kSidebarRowPaddingX = 10;
    static constexpr double kSidebarRowPaddingY = 7;
    static constexpr double kSidebarRowRadius = 8;
    static constexpr double kSidebarTitleSize = 13;
    static constexpr double kDividerWidth = 1;

    static constexpr double kRowHeight = 36;
    static constexpr double kSectionTitleHeight = 26;
    static constexpr double kSwitchWidth = 34;
    static constexpr double kSwitchHeight = 20;
    static constexpr double kStepButtonWidth = 26;
    static constexpr double kStepButtonHeight = 22;
    static constexpr double kSegmentHeight = 24;
    static constexpr double kSliderWidth = 180;
    static constexpr double kFieldWidth = 220;
    static constexpr double kFieldHeight = 24;
    static constexpr double kWellWidth = 44;
    static constexpr double kHexFieldWidth = 84;
    static constexpr double kRemoveButtonSize = 20;
    static constexpr double kSwatchTileHeight = 34;
    static constexpr double kSwatchNameHeight = 18;
    static constexpr double kSymbolSize = 13;

    struct Row {
        SettingsRowSpec spec;
        QRectF rect;
    };
    struct Section {
        QString title;
        QRectF titleRect;
        // The rounded group the rows sit on.
        QRectF group;
        std::vector<Row> rows;
    };

    // The parts of a row that take input.
    enum class Part {
        control,   // a switch, a slider's track, a button's label, a field, the date field
        decrement, // a stepper's minus
        increment, // a stepper's plus
        segment,   // a segment of a picker (by index)
        remove,    // a list entry's remove button
        swatch,    // a theme swatch (by index)
        well,      // the colour well
        hexField,  // the colour's text field
        addButton, // the button after a field ("Add")
    };

    // `width` is the content column's width; `textHeight` measures wrapped secondary text for
    // notes and captions at a given width.
    SettingsLayout(const std::vector<SettingsSectionSpec>& sections, double width,
        const std::function<double(SettingsControl, double width)>& textHeight);

    const std::vector<Section>& sections() const { return m_sections; }
    double height() const { return m_height; }
    // The first row of this control (and entry), or nothing when the pane does not show it.
    std::optional<Row> row(SettingsControl control, int index = 0) const;
    // Where a part of a row lies; `index` picks a segment or a swatch.
    static QRectF partRect(const Row& row, Part part, int index = 0);
    // How many segments the picker of a choice row has.
    static int segmentCount(SettingsControl control);
    // The text's width inside a note or caption row.
    static double noteTextWidth(const QRectF& row);
    // How many swatches fit on one line of the grid.
    static int swatchesPerLine(double width);

    // The sidebar, in the window's coordinates: the title, then one row per pane.
    static QRectF sidebarTitleRect();
    static QRectF sidebarRowRect(SettingsPane pane);

private:
    std::vector<Section> m_sections;
    double m_height = 0;
};

} // namespace moorlet
