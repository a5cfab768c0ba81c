#include "Moorlet/SettingsWindow/SettingsView.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/SettingsWindow/SettingsTexts.h"
#include "Moorlet/SettingsWindow/ThemeSwatch.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewPalette.h"
#include "VeltraneKit/Components/SharedFrameTicker.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QColorDialog>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace moorlet {

namespace {

namespace Tokens = veltrane::DesignTokens;
namespace Spacing = Tokens::Spacing;
namespace Radius = Tokens::Radius;
using Control = SettingsControl;
using Kind = SettingsRowKind;
using Part = SettingsLayout::Part;

// Tall enough for the timer pane with the custom lengths and the four default subjects.
constexpr QSize kDefaultSize(720, 640);
// Row separators and the group's fill: quiet lines in either appearance.
constexpr double kSeparatorOpacity = 0.08;
constexpr double kGroupFillOpacity = 0.035;
constexpr double kControlFillOpacity = 0.09;
constexpr double kSwitchKnobInset = 2;
constexpr double kSliderTrackHeight = 4;
constexpr double kSliderKnob = 14;
constexpr double kSegmentRadius = 6;
constexpr double kSegmentSymbolSize = 11;
constexpr double kRowSymbolSize = SettingsLayout::kSymbolSize;
// How far an arrow key moves a slider, as a share of its range.
constexpr double kSliderKeyStep = 0.05;
constexpr double kFocusRingWidth = 2;
constexpr double kFocusRingOffset = 2;

veltrane::TypeStyle rowTitleStyle()
{
    return Tokens::Typography::label();
}

veltrane::TypeStyle noteStyle()
{
    return Tokens::Typography::secondary();
}

veltrane::TypeStyle sidebarStyle()
{
    return { SettingsLayout::kSidebarTitleSize, QFont::Normal, veltrane::FontDesign::rounded };
}

QString noteOf(Control control, const SettingsBindings& bindings)
{
    if (control == Control::mode)
        return SettingsTexts::modeDescription(bindings.objects().focusSettings.modeRaw());
    if (control == Control::hotKeyNote)
        return bindings.hotKeyNote();
    return SettingsTexts::noteText(control, bindings.objects().shortcutsFolder);
}

// The symbol column and the title of a row: returns where the rest of the row begins.
double paintLeading(QPainter& painter, const QRectF& row, const QString& symbol, const QString& title,
    const QColor& symbolColor, const QColor& textColor, double titleRight)
{
    double x = row.left();
    if (!symbol.isEmpty()) {
        veltrane::SymbolPainter::paint(painter, QPointF(x + kRowSymbolSize / 2, row.center().y()), kRowSymbolSize, symbol,
            symbolColor);
        x += kRowSymbolSize + Spacing::xs;
    }
    if (!title.isEmpty()) {
        painter.setFont(rowTitleStyle().font());
        painter.setPen(textColor);
        drawElidedText(painter, QRectF(x, row.top(), std::max(0.0, titleRight - x), row.height()),
            Qt::AlignLeft | Qt::AlignVCenter, title);
    }
    return x;
}

void styleField(QLineEdit* field, const QString& prompt)
{
    field->setPlaceholderText(prompt);
    field->setFont(rowTitleStyle().font());
    field->setClearButtonEnabled(false);
}

} // namespace

// The pane's rows: paints through the view and hands it the pointer.
class SettingsView::Canvas : public QWidget {
public:
    explicit Canvas(SettingsView& view)
        : m_view(view)
    {
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        m_view.paintPane(painter, event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        if (const auto target = m_view.canvasHitTest(event->position()))
            m_view.activate(*target, event->position());
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const auto target = m_view.canvasHitTest(event->position());
        if ((event->buttons() & Qt::LeftButton) && m_view.m_dragging) {
            m_view.activate({ SettingsTarget::Kind::slider, *m_view.m_dragging }, event->position());
            return;
        }
        m_view.setHoveredSwatch(target && target->kind == SettingsTarget::Kind::swatch ? target->index : -1);
        setCursor(target ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_view.m_dragging.reset(); }
    void leaveEvent(QEvent*) override { m_view.setHoveredSwatch(-1); }

    // Tab walks the painted controls before it leaves for the next widget.
    bool focusNextPrevChild(bool next) override
    {
        return m_view.moveKeyboardFocus(next) || QWidget::focusNextPrevChild(next);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
            m_view.startKeyboardFocus(event->reason() == Qt::TabFocusReason);
        update();
    }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_view.keyboardActivate(event->key()))
            QWidget::keyPressEvent(event);
    }

private:
    SettingsView& m_view;
};

SettingsView::SettingsView(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics,
    veltrane::FrameTicker* ticker, QWidget* parent)
    : QWidget(parent)
    , m_bindings(std::move(objects), std::move(callbacks), std::move(diagnostics))
    , m_ticker(ticker ? *ticker : veltrane::sharedFrameTicker())
{
    setFocusPolicy(Qt::StrongFocus);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_canvas = new Canvas(*this);
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_scroll->setWidget(m_canvas);
    m_scroll->viewport()->setAutoFillBackground(false);
    // The rows are laid out for the viewport's width, which is known only once it is resized.
    m_scroll->viewport()->installEventFilter(this);
    m_canvas->setAutoFillBackground(false);

    m_newSubject = new QLineEdit(m_canvas);
    styleField(m_newSubject, QString::fromUtf8(SettingsTexts::kNewSubjectPrompt));
    connect(m_newSubject, &QLineEdit::returnPressed, this, &SettingsView::addSubject);

    m_focusShortcut = new QLineEdit(m_canvas);
    m_breakShortcut = new QLineEdit(m_canvas);
    for (const auto& [field, control] :
        { std::pair { m_focusShortcut, Control::focusShortcutName }, std::pair { m_breakShortcut, Control::breakShortcutName } }) {
        styleField(field, QString::fromUtf8(SettingsTexts::kShortcutNamePrompt));
        connect(field, &QLineEdit::textEdited, this, [this, control = control](const QString& text) {
            m_bindings.setText(control, text);
        });
    }

    m_accentHex = new QLineEdit(m_canvas);
    styleField(m_accentHex, QStringLiteral("5B6CFF"));
    m_accentHex->setMaxLength(7);
    connect(m_accentHex, &QLineEdit::editingFinished, this, [this] {
        // Text that is no colour is not stored: the field shows the stored text again.
        if (!m_bindings.setCustomAccentText(m_accentHex->text()))
            m_accentHex->setText(m_bindings.text(Control::accentColor));
    });

    m_deadlineTitle = new QLineEdit(m_canvas);
    styleField(m_deadlineTitle, QString::fromUtf8(SettingsTexts::kNewDeadlinePrompt));
    connect(m_deadlineTitle, &QLineEdit::returnPressed, this, &SettingsView::addDeadline);
    m_deadlineDate = new QDateEdit(m_canvas);
    m_deadlineDate->setCalendarPopup(true);
    m_deadlineDate->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    m_deadlineDate->setFont(rowTitleStyle().font());
    m_deadlineDate->setDate(m_bindings.today());

    const int themeCount = m_bindings.themeCount();
    for (int i = 0; i < themeCount; ++i) {
        auto swatch = std::make_unique<ThemeSwatch>(m_ticker,
            m_bindings.objects().theme.catalog().themes()[static_cast<std::size_t>(i)],
            [this, i] { m_bindings.chooseTheme(i); });
        swatch->setOnFrame([this] { m_canvas->update(); });
        m_swatches.push_back(std::move(swatch));
    }

    const SettingsObjects& bound = m_bindings.objects();
    for (const auto signal : { &veltrane::SettingsStore::appearanceChanged, &veltrane::SettingsStore::widgetModeChanged,
             &veltrane::SettingsStore::accentThemeIDChanged, &veltrane::SettingsStore::customAccentEnabledChanged,
             &veltrane::SettingsStore::customAccentHexChanged, &veltrane::SettingsStore::widgetOpacityChanged,
             &veltrane::SettingsStore::forceReduceMotionChanged, &veltrane::SettingsStore::launchAtLoginChanged,
             &veltrane::SettingsStore::masterVolumeChanged, &veltrane::SettingsStore::fadeDurationChanged })
        connect(&bound.settings, signal, this, &SettingsView::reload);
    for (const auto signal : { &FocusSettings::dailyGoalMinutesChanged, &FocusSettings::subjectsChanged,
             &FocusSettings::ambientOnFocusChanged, &FocusSettings::ambientPauseOnBreakChanged,
             &FocusSettings::soundEffectsEnabledChanged, &FocusSettings::modeRawChanged,
             &FocusSettings::globalHotKeyEnabledChanged, &FocusSettings::autoShortcutsEnabledChanged,
             &FocusSettings::focusShortcutNameChanged, &FocusSettings::breakShortcutNameChanged,
             &FocusSettings::customFocusMinutesChanged, &FocusSettings::customShortBreakMinutesChanged,
             &FocusSettings::customLongBreakMinutesChanged, &FocusSettings::customLongBreakIntervalChanged,
             &FocusSettings::pauseOnLockChanged, &FocusSettings::awayQuestionMinutesChanged })
        connect(&bound.focusSettings, signal, this, &SettingsView::reload);
    connect(&bound.focusSettings, &FocusSettings::autoUpdateEnabledChanged, this, &SettingsView::reload);
    if (bound.updates) {
        connect(bound.updates, &UpdateManager::phaseChanged, this, &SettingsView::reload);
        connect(bound.updates, &UpdateManager::availableChanged, this, &SettingsView::reload);
    }
    connect(&bound.store, &LocalDataStore::deadlinesChanged, this, &SettingsView::reload);
    connect(&bound.theme, &ThemeProvider::accentChanged, this, &SettingsView::reload);

    resize(kDefaultSize);
    reload();
}

SettingsView::~SettingsView() = default;

QSize SettingsView::sizeHint() const
{
    return kDefaultSize;
}

void SettingsView::setPane(SettingsPane pane)
{
    if (pane == m_pane)
        return;
    m_pane = pane;
    m_keyboardTarget.reset();
    m_scroll->verticalScrollBar()->setValue(0);
    reload();
    update();
}

SettingsLayout SettingsView::layout() const
{
    const QFont font = noteStyle().font();
    const double width = m_scroll->viewport()->width();
    return SettingsLayout(paneSections(m_pane, m_state), width, [&](Control control, double textWidth) {
        return QFontMetricsF(font)
            .boundingRect(QRectF(0, 0, textWidth, 10000), Qt::TextWordWrap, noteOf(control, m_bindings))
            .height();
    });
}

void SettingsView::reload()
{
    m_state.customMode = m_bindings.objects().focusSettings.modeRaw() == QLatin1String(FocusSettings::kCustomMode);
    m_state.subjectCount = static_cast<int>(m_bindings.subjects().size());
    m_state.deadlineCount = m_bindings.deadlineCount();
    m_state.themeCount = static_cast<int>(m_swatches.size());
    m_state.launchAtLoginAvailable = m_bindings.isLaunchAtLoginAvailable();
    m_state.idleTimeAvailable = m_bindings.isIdleTimeAvailable();
    m_state.hotKeyNote = !m_bindings.hotKeyNote().isEmpty();
    m_state.updatesItself = m_bindings.updatesItself();
    m_state.updatePhase = m_bindings.updatePhase().kind;

    const int selected = m_bindings.selectedTheme();
    for (std::size_t i = 0; i < m_swatches.size(); ++i)
        m_swatches[i]->setSelected(static_cast<int>(i) == selected);

    // A field being typed in keeps what is typed.
    for (const auto& [field, control] : { std::pair { m_focusShortcut, Control::focusShortcutName },
             std::pair { m_breakShortcut, Control::breakShortcutName }, std::pair { m_accentHex, Control::accentColor } }) {
        if (!field->hasFocus() && field->text() != m_bindings.text(control))
            field->setText(m_bindings.text(control));
    }
    placeFields();
    update();
    m_canvas->update();
}

void SettingsView::placeFields()
{
    const int width = m_scroll->viewport()->width();
    const SettingsLayout rows = layout();
    m_canvas->resize(width, static_cast<int>(std::ceil(rows.height())));
    const auto place = [&](QWidget* widget, Control control, Part part) {
        const auto row = rows.row(control);
        widget->setVisible(row.has_value());
        if (row)
            widget->setGeometry(SettingsLayout::partRect(*row, part).toAlignedRect());
    };
    place(m_newSubject, Control::newSubject, Part::control);
    place(m_focusShortcut, Control::focusShortcutName, Part::control);
    place(m_breakShortcut, Control::breakShortcutName, Part::control);
    place(m_accentHex, Control::accentColor, Part::hexField);
    place(m_deadlineTitle, Control::newDeadlineTitle, Part::control);
    place(m_deadlineDate, Control::newDeadlineDate, Part::control);
    // Tab walks the fields top to bottom.
    QWidget* previous = this;
    for (QWidget* field : std::initializer_list<QWidget*> { m_canvas, m_newSubject, m_focusShortcut, m_breakShortcut, m_accentHex,
             m_deadlineTitle, m_deadlineDate }) {
        if (field->isVisibleTo(this)) {
            setTabOrder(previous, field);
            previous = field;
        }
    }
}

QLineEdit* SettingsView::field(SettingsControl control) const
{
    switch (control) {
    case Control::newSubject:
        return m_newSubject;
    case Control::focusShortcutName:
        return m_focusShortcut;
    case Control::breakShortcutName:
        return m_breakShortcut;
    case Control::accentColor:
        return m_accentHex;
    case Control::newDeadlineTitle:
        return m_deadlineTitle;
    default:
        return nullptr;
    }
}

std::optional<SettingsTarget> SettingsView::hitTest(QPointF point) const
{
    for (const SettingsPane pane : kAllSettingsPanes) {
        if (SettingsLayout::sidebarRowRect(pane).contains(point))
            return SettingsTarget { SettingsTarget::Kind::pane, Control::none, static_cast<int>(pane) };
    }
    const QRect viewport(m_scroll->viewport()->mapTo(this, QPoint()), m_scroll->viewport()->size());
    if (!viewport.contains(point.toPoint()))
        return std::nullopt;
    return canvasHitTest(m_canvas->mapFrom(this, point));
}

std::optional<SettingsTarget> SettingsView::canvasHitTest(QPointF point) const
{
    using TargetKind = SettingsTarget::Kind;
    const SettingsLayout rows = layout();
    for (const auto& section : rows.sections()) {
        for (const auto& row : section.rows) {
            if (!row.rect.contains(point))
                continue;
            const Control control = row.spec.control;
            const auto in = [&](Part part, int index = 0) { return SettingsLayout::partRect(row, part, index).contains(point); };
            switch (row.spec.kind) {
            case Kind::toggle:
                // The whole row flips the switch, as a labelled checkbox does.
                return SettingsTarget { TargetKind::toggle, control };
            case Kind::stepper:
                if (in(Part::decrement))
                    return SettingsTarget { TargetKind::decrement, control };
                if (in(Part::increment))
                    return SettingsTarget { TargetKind::increment, control };
                return std::nullopt;
            case Kind::choice:
                for (int i = 0; i < SettingsLayout::segmentCount(control); ++i) {
                    if (in(Part::segment, i))
                        return SettingsTarget { TargetKind::segment, control, i };
                }
                return std::nullopt;
            case Kind::slider:
                if (in(Part::control))
                    return SettingsTarget { TargetKind::slider, control };
                return std::nullopt;
            case Kind::button:
                return SettingsTarget { TargetKind::button, control };
            case Kind::field:
                if (control == Control::newSubject && in(Part::addButton))
                    return SettingsTarget { TargetKind::button, control };
                return std::nullopt;
            case Kind::item:
                if (in(Part::remove))
                    return SettingsTarget { TargetKind::remove, control, row.spec.index };
                return std::nullopt;
            case Kind::swatches:
                for (int i = 0; i < row.spec.count; ++i) {
                    if (in(Part::swatch, i))
                        return SettingsTarget { TargetKind::swatch, control, i };
                }
                return std::nullopt;
            case Kind::colour:
                if (in(Part::well))
                    return SettingsTarget { TargetKind::well, control };
                return std::nullopt;
            default:
                return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

QRectF SettingsView::canvasTargetRect(const SettingsLayout& rows, const SettingsTarget& target) const
{
    using TargetKind = SettingsTarget::Kind;
    const bool listed = target.kind == TargetKind::remove;
    const auto row = rows.row(target.control, listed ? target.index : 0);
    if (!row)
        return {};
    switch (target.kind) {
    case TargetKind::decrement:
        return SettingsLayout::partRect(*row, Part::decrement);
    case TargetKind::increment:
        return SettingsLayout::partRect(*row, Part::increment);
    case TargetKind::segment:
        return SettingsLayout::partRect(*row, Part::segment, target.index);
    case TargetKind::slider:
        return SettingsLayout::partRect(*row, Part::control);
    case TargetKind::remove:
        return SettingsLayout::partRect(*row, Part::remove);
    case TargetKind::swatch:
        return SettingsLayout::partRect(*row, Part::swatch, target.index);
    case TargetKind::well:
        return SettingsLayout::partRect(*row, Part::well);
    case TargetKind::button:
        if (target.control == Control::newSubject)
            return SettingsLayout::partRect(*row, Part::addButton);
        return row->rect;
    default:
        return row->rect;
    }
}

QRectF SettingsView::targetRect(const SettingsTarget& target)
{
    if (target.kind == SettingsTarget::Kind::pane)
        return SettingsLayout::sidebarRowRect(static_cast<SettingsPane>(target.index));
    const QRectF inCanvas = canvasTargetRect(layout(), target);
    if (inCanvas.isNull())
        return {};
    m_scroll->ensureVisible(static_cast<int>(inCanvas.center().x()), static_cast<int>(inCanvas.center().y()), 0,
        static_cast<int>(inCanvas.height()));
    return inCanvas.translated(m_canvas->mapTo(this, QPoint()));
}

void SettingsView::activate(const SettingsTarget& target, QPointF canvasPoint)
{
    using TargetKind = SettingsTarget::Kind;
    switch (target.kind) {
    case TargetKind::pane:
        setPane(static_cast<SettingsPane>(target.index));
        break;
    case TargetKind::toggle:
        m_bindings.setOn(target.control, !m_bindings.isOn(target.control));
        break;
    case TargetKind::decrement:
        m_bindings.step(target.control, -1);
        break;
    case TargetKind::increment:
        m_bindings.step(target.control, +1);
        break;
    case TargetKind::segment:
        m_bindings.choose(target.control, target.index);
        break;
    case TargetKind::slider: {
        const auto row = layout().row(target.control);
        if (!row)
            break;
        const QRectF track = SettingsLayout::partRect(*row, Part::control).adjusted(kSliderKnob / 2, 0, -kSliderKnob / 2, 0);
        m_dragging = target.control;
        m_bindings.setSliderFraction(target.control, (canvasPoint.x() - track.left()) / track.width());
        break;
    }
    case TargetKind::button:
        switch (target.control) {
        case Control::newSubject:
            addSubject();
            break;
        case Control::addDeadline:
            addDeadline();
            break;
        case Control::replayTour:
            m_bindings.showGuide();
            break;
        case Control::copyDiagnostics:
            m_bindings.copyDiagnostics();
            break;
        case Control::checkForUpdates:
            m_bindings.checkForUpdates();
            break;
        case Control::updateDownload:
            m_bindings.downloadUpdate();
            break;
        case Control::updateRestart:
            m_bindings.restartToUpdate();
            break;
        default:
            break;
        }
        break;
    case TargetKind::remove:
        if (target.control == Control::subject)
            m_bindings.removeSubject(target.index);
        else
            m_bindings.deleteDeadline(target.index);
        break;
    case TargetKind::swatch:
        if (target.index >= 0 && target.index < static_cast<int>(m_swatches.size()))
            m_swatches[static_cast<std::size_t>(target.index)]->activate();
        break;
    case TargetKind::well:
        openColorDialog();
        break;
    }
}

std::vector<SettingsTarget> SettingsView::keyboardTargets() const
{
    using TargetKind = SettingsTarget::Kind;
    std::vector<SettingsTarget> targets;
    const SettingsLayout rows = layout();
    for (const auto& section : rows.sections()) {
        for (const auto& row : section.rows) {
            const Control control = row.spec.control;
            switch (row.spec.kind) {
            case Kind::toggle:
                targets.push_back({ TargetKind::toggle, control });
                break;
            case Kind::stepper:
                targets.push_back({ TargetKind::increment, control });
                break;
            case Kind::choice:
                targets.push_back({ TargetKind::segment, control, 0 });
                break;
            case Kind::slider:
                targets.push_back({ TargetKind::slider, control });
                break;
            case Kind::button:
                targets.push_back({ TargetKind::button, control });
                break;
            case Kind::item:
                targets.push_back({ TargetKind::remove, control, row.spec.index });
                break;
            case Kind::swatches:
                targets.push_back({ TargetKind::swatch, control, 0 });
                break;
            case Kind::colour:
                targets.push_back({ TargetKind::well, control });
                break;
            default:
                break;
            }
        }
    }
    return targets;
}

void SettingsView::startKeyboardFocus(bool first)
{
    const auto targets = keyboardTargets();
    m_keyboardTarget.reset();
    if (!targets.empty())
        m_keyboardTarget = first ? targets.front() : targets.back();
    showKeyboardTarget();
}

bool SettingsView::moveKeyboardFocus(bool next)
{
    const auto targets = keyboardTargets();
    const auto current = m_keyboardTarget ? std::find(targets.begin(), targets.end(), *m_keyboardTarget) : targets.end();
    if (current == targets.end())
        return false;
    const auto index = current - targets.begin();
    const auto moved = next ? index + 1 : index - 1;
    if (moved < 0 || moved >= static_cast<std::ptrdiff_t>(targets.size()))
        return false;
    m_keyboardTarget = targets[static_cast<std::size_t>(moved)];
    showKeyboardTarget();
    return true;
}

std::optional<QRectF> SettingsView::keyboardRingRect() const
{
    using TargetKind = SettingsTarget::Kind;
    if (!m_keyboardTarget || !m_canvas->hasFocus())
        return std::nullopt;
    const SettingsLayout rows = layout();
    const SettingsTarget& target = *m_keyboardTarget;
    const auto row = rows.row(target.control, target.kind == TargetKind::remove ? target.index : 0);
    if (!row)
        return std::nullopt;
    switch (target.kind) {
    case TargetKind::increment:
        return SettingsLayout::partRect(*row, Part::decrement).united(SettingsLayout::partRect(*row, Part::increment));
    case TargetKind::segment:
        return SettingsLayout::partRect(*row, Part::segment, 0)
            .united(SettingsLayout::partRect(*row, Part::segment, SettingsLayout::segmentCount(target.control) - 1));
    case TargetKind::swatch:
        return SettingsLayout::partRect(*row, Part::swatch, m_bindings.selectedTheme());
    case TargetKind::toggle:
        return SettingsLayout::partRect(*row, Part::control);
    default:
        return canvasTargetRect(rows, target);
    }
}

void SettingsView::showKeyboardTarget()
{
    if (const auto ring = keyboardRingRect())
        m_scroll->ensureVisible(static_cast<int>(ring->center().x()), static_cast<int>(ring->center().y()), 0,
            static_cast<int>(ring->height() / 2 + Spacing::md));
    m_canvas->update();
}

bool SettingsView::keyboardActivate(int key)
{
    using TargetKind = SettingsTarget::Kind;
    if (!m_keyboardTarget)
        return false;
    const SettingsTarget target = *m_keyboardTarget;
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    const int direction = key == Qt::Key_Left || key == Qt::Key_Minus ? -1 : key == Qt::Key_Right || key == Qt::Key_Plus ? 1 : 0;
    switch (target.kind) {
    case TargetKind::toggle:
    case TargetKind::button:
    case TargetKind::well:
        if (!press)
            return false;
        activate(target, {});
        break;
    case TargetKind::remove:
        if (!press)
            return false;
        activate(target, {});
        // The entry below takes the place of the one removed; past the end the focus goes back.
        if (const auto targets = keyboardTargets(); std::find(targets.begin(), targets.end(), target) == targets.end())
            startKeyboardFocus(true);
        break;
    case TargetKind::increment:
        if (!direction)
            return false;
        m_bindings.step(target.control, direction);
        break;
    case TargetKind::segment: {
        if (!direction)
            return false;
        const int count = SettingsLayout::segmentCount(target.control);
        m_bindings.choose(target.control, std::clamp(m_bindings.choice(target.control) + direction, 0, count - 1));
        break;
    }
    case TargetKind::slider:
        if (!direction)
            return false;
        m_bindings.setSliderFraction(target.control, m_bindings.sliderFraction(target.control) + direction * kSliderKeyStep);
        break;
    case TargetKind::swatch:
        if (!direction)
            return false;
        m_bindings.chooseTheme(std::clamp(m_bindings.selectedTheme() + direction, 0, m_bindings.themeCount() - 1));
        break;
    default:
        return false;
    }
    showKeyboardTarget();
    return true;
}

void SettingsView::addSubject()
{
    m_bindings.addSubject(m_newSubject->text());
    m_newSubject->clear();
}

void SettingsView::addDeadline()
{
    if (m_bindings.addDeadline(m_deadlineTitle->text(), m_deadlineDate->date()))
        m_deadlineTitle->clear();
}

void SettingsView::openColorDialog()
{
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setWindowTitle(SettingsTexts::title(Control::accentColor));
        connect(m_colorDialog, &QColorDialog::colorSelected, this,
            [this](const QColor& color) { m_bindings.setCustomAccent(color); });
    }
    m_colorDialog->setCurrentColor(m_bindings.customAccent().value_or(m_bindings.focusingAccent()));
    m_colorDialog->open();
}

void SettingsView::setHoveredSwatch(int index)
{
    if (index == m_hoveredSwatch)
        return;
    m_hoveredSwatch = index;
    for (std::size_t i = 0; i < m_swatches.size(); ++i)
        m_swatches[i]->setHovered(static_cast<int>(i) == index);
    m_canvas->update();
}

void SettingsView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (const auto target = hitTest(event->position()); target && target->kind == SettingsTarget::Kind::pane)
            activate(*target, {});
    }
    QWidget::mousePressEvent(event);
}

void SettingsView::keyPressEvent(QKeyEvent* event)
{
    // The sidebar moves with the arrow keys while the view itself has the focus.
    const int index = static_cast<int>(m_pane);
    const int last = static_cast<int>(kAllSettingsPanes.size()) - 1;
    if (event->key() == Qt::Key_Down && index < last)
        setPane(static_cast<SettingsPane>(index + 1));
    else if (event->key() == Qt::Key_Up && index > 0)
        setPane(static_cast<SettingsPane>(index - 1));
    else
        QWidget::keyPressEvent(event);
}

void SettingsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const double left = SettingsLayout::kSidebarWidth + SettingsLayout::kDividerWidth;
    m_scroll->setGeometry(QRectF(left, 0, width() - left, height()).toAlignedRect());
    placeFields();
}

bool SettingsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        placeFields();
    return QWidget::eventFilter(watched, event);
}

void SettingsView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        update();
        m_canvas->update();
    }
}

void SettingsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ViewPalette palette = ViewPalette::from(this->palette());
    painter.fillRect(rect(), palette.windowBackground);
    paintSidebar(painter, palette);
}

void SettingsView::paintSidebar(QPainter& painter, const ViewPalette& palette) const
{
    painter.fillRect(QRectF(0, 0, SettingsLayout::kSidebarWidth, height()), palette.subtleFill);
    painter.fillRect(QRectF(SettingsLayout::kSidebarWidth, 0, SettingsLayout::kDividerWidth, height()),
        veltrane::withOpacity(palette.textPrimary, kSeparatorOpacity * 1.5));

    QFont titleFont = sidebarStyle().font();
    titleFont.setWeight(QFont::DemiBold);
    painter.setFont(titleFont);
    painter.setPen(palette.textSecondary);
    drawElidedText(painter, SettingsLayout::sidebarTitleRect(), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(SettingsTexts::kWindowTitle));

    const QColor accent = m_bindings.focusingAccent();
    painter.setFont(sidebarStyle().font());
    for (const SettingsPane pane : kAllSettingsPanes) {
        const QRectF row = SettingsLayout::sidebarRowRect(pane);
        const bool selected = pane == m_pane;
        if (selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(accent);
            painter.drawRoundedRect(row, SettingsLayout::kSidebarRowRadius, SettingsLayout::kSidebarRowRadius);
        }
        const QColor text = selected ? QColor(Qt::white) : palette.textPrimary;
        const QRectF content = row.adjusted(SettingsLayout::kSidebarRowPaddingX, SettingsLayout::kSidebarRowPaddingY,
            -SettingsLayout::kSidebarRowPaddingX, -SettingsLayout::kSidebarRowPaddingY);
        veltrane::SymbolPainter::paint(painter, QPointF(content.left() + kRowSymbolSize / 2, content.center().y()),
            kRowSymbolSize, symbolName(pane), text);
        painter.setPen(text);
        painter.setFont(sidebarStyle().font());
        drawElidedText(painter, content.adjusted(kRowSymbolSize + Spacing::xs, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
            title(pane));
    }
}

void SettingsView::paintPane(QPainter& painter, const QRect& exposed) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const ViewPalette palette = ViewPalette::from(this->palette());
    const SettingsLayout rows = layout();
    for (const auto& section : rows.sections()) {
        if (!section.titleRect.united(section.group).intersects(exposed))
            continue;
        QFont titleFont = Tokens::Typography::sectionLabel().font();
        painter.setFont(titleFont);
        painter.setPen(palette.textSecondary);
        drawElidedText(painter, section.titleRect.adjusted(0, 0, 0, -Spacing::tight), Qt::AlignLeft | Qt::AlignBottom,
            section.title.toUpper());

        painter.setPen(QPen(veltrane::withOpacity(palette.textPrimary, kSeparatorOpacity), 1));
        painter.setBrush(veltrane::withOpacity(palette.textPrimary, kGroupFillOpacity));
        painter.drawRoundedRect(section.group.adjusted(0.5, 0.5, -0.5, -0.5), Radius::small, Radius::small);
        for (std::size_t i = 0; i < section.rows.size(); ++i) {
            const auto& row = section.rows[i];
            // A caption belongs to the row above it: no line between them.
            if (i > 0 && row.spec.kind != Kind::caption) {
                painter.setPen(QPen(veltrane::withOpacity(palette.textPrimary, kSeparatorOpacity), 1));
                painter.drawLine(QPointF(row.rect.left(), row.rect.top() + 0.5), QPointF(row.rect.right(), row.rect.top() + 0.5));
            }
            paintRow(painter, row, palette);
        }
    }
    if (const auto ring = keyboardRingRect()) {
        painter.setPen(QPen(veltrane::withOpacity(m_bindings.focusingAccent(), 0.6), kFocusRingWidth));
        painter.setBrush(Qt::NoBrush);
        const QRectF around = ring->adjusted(-kFocusRingOffset, -kFocusRingOffset, kFocusRingOffset, kFocusRingOffset);
        painter.drawRoundedRect(around, kSegmentRadius + kFocusRingOffset, kSegmentRadius + kFocusRingOffset);
    }
}

void SettingsView::paintRow(QPainter& painter, const SettingsLayout::Row& row, const ViewPalette& palette) const
{
    const Control control = row.spec.control;
    const QRectF& rect = row.rect;
    const QColor accent = m_bindings.focusingAccent();
    const QColor controlFill = veltrane::withOpacity(palette.textPrimary, kControlFillOpacity);
    painter.save();
    switch (row.spec.kind) {
    case Kind::toggle: {
        const QRectF track = SettingsLayout::partRect(row, Part::control);
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), palette.textSecondary,
            palette.textPrimary, track.left() - Spacing::xs);
        const bool on = m_bindings.isOn(control);
        painter.setPen(Qt::NoPen);
        painter.setBrush(on ? accent : veltrane::withOpacity(palette.textPrimary, 0.18));
        painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
        const double knob = track.height() - 2 * kSwitchKnobInset;
        const double x = on ? track.right() - kSwitchKnobInset - knob : track.left() + kSwitchKnobInset;
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(x, track.top() + kSwitchKnobInset, knob, knob));
        break;
    }
    case Kind::stepper: {
        const QRectF minus = SettingsLayout::partRect(row, Part::decrement);
        const QRectF plus = SettingsLayout::partRect(row, Part::increment);
        QString title = SettingsTexts::title(control);
        if (control == Control::customInterval)
            title += QString::number(m_bindings.stepperValue(control));
        const QString value = m_bindings.stepperText(control);
        const QFont valueFont = Tokens::Typography::metric(rowTitleStyle().size, QFont::Medium).font();
        const double valueWidth = QFontMetricsF(valueFont).horizontalAdvance(value);
        const double valueLeft = minus.left() - Spacing::sm - valueWidth;
        paintLeading(painter, rect, SettingsTexts::symbolName(control), title, palette.textSecondary, palette.textPrimary,
            valueLeft - Spacing::xs);
        painter.setFont(valueFont);
        painter.setPen(palette.textPrimary);
        painter.drawText(QRectF(valueLeft - 1, rect.top(), valueWidth + 2, rect.height()), Qt::AlignRight | Qt::AlignVCenter, value);
        const auto range = SettingsBindings::stepperRange(control);
        const double current = m_bindings.stepperValue(control);
        for (const auto& [box, sign, enabled] : { std::tuple { minus, QStringLiteral("−"), current > range.minimum },
                 std::tuple { plus, QStringLiteral("+"), current < range.maximum } }) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(controlFill);
            painter.drawRoundedRect(box.adjusted(1, 0, -1, 0), kSegmentRadius, kSegmentRadius);
            painter.setPen(enabled ? palette.textPrimary : palette.textTertiary);
            painter.setFont(rowTitleStyle().font());
            painter.drawText(box, Qt::AlignCenter, sign);
        }
        break;
    }
    case Kind::choice: {
        const int count = SettingsLayout::segmentCount(control);
        const QRectF first = SettingsLayout::partRect(row, Part::segment, 0);
        const QRectF last = SettingsLayout::partRect(row, Part::segment, count - 1);
        if (control != Control::mode)
            paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control),
                palette.textSecondary, palette.textPrimary, first.left() - Spacing::xs);
        painter.setPen(Qt::NoPen);
        painter.setBrush(controlFill);
        painter.drawRoundedRect(first.united(last), kSegmentRadius, kSegmentRadius);
        const QStringList labels = SettingsBindings::choiceLabels(control);
        const QStringList symbols = SettingsBindings::choiceSymbols(control);
        const int selected = m_bindings.choice(control);
        for (int i = 0; i < count; ++i) {
            const QRectF segment = SettingsLayout::partRect(row, Part::segment, i);
            const bool isSelected = i == selected;
            if (isSelected) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(accent);
                painter.drawRoundedRect(segment.adjusted(1, 1, -1, -1), kSegmentRadius - 1, kSegmentRadius - 1);
            }
            const QColor text = isSelected ? QColor(Qt::white) : palette.textPrimary;
            QFont font = rowTitleStyle().font();
            font.setWeight(isSelected ? QFont::DemiBold : QFont::Normal);
            painter.setFont(font);
            const QString label = labels.value(i);
            const QString symbol = symbols.value(i);
            const double textWidth = QFontMetricsF(font).horizontalAdvance(label);
            const double symbolWidth = symbol.isEmpty() ? 0 : kSegmentSymbolSize + Spacing::tight;
            const double left = segment.center().x() - (textWidth + symbolWidth) / 2;
            if (!symbol.isEmpty())
                veltrane::SymbolPainter::paint(painter, QPointF(left + kSegmentSymbolSize / 2, segment.center().y()),
                    kSegmentSymbolSize, symbol, text);
            painter.setPen(text);
            painter.drawText(QRectF(left + symbolWidth, segment.top(), textWidth + 1, segment.height()),
                Qt::AlignLeft | Qt::AlignVCenter, label);
        }
        break;
    }
    case Kind::slider: {
        const QRectF area = SettingsLayout::partRect(row, Part::control);
        const QString value = m_bindings.sliderText(control);
        painter.setFont(rowTitleStyle().font());
        const double valueWidth = value.isEmpty() ? 0 : QFontMetricsF(painter.font()).horizontalAdvance(value) + Spacing::sm;
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), palette.textSecondary,
            palette.textPrimary, area.left() - valueWidth - Spacing::xs);
        if (!value.isEmpty()) {
            painter.setPen(palette.textSecondary);
            painter.drawText(QRectF(area.left() - valueWidth, rect.top(), valueWidth - Spacing::sm, rect.height()),
                Qt::AlignRight | Qt::AlignVCenter, value);
        }
        const QRectF track = area.adjusted(kSliderKnob / 2, 0, -kSliderKnob / 2, 0);
        const double fraction = m_bindings.sliderFraction(control);
        const double y = track.center().y();
        const double x = track.left() + fraction * track.width();
        painter.setPen(Qt::NoPen);
        painter.setBrush(veltrane::withOpacity(palette.textPrimary, 0.15));
        painter.drawRoundedRect(QRectF(track.left(), y - kSliderTrackHeight / 2, track.width(), kSliderTrackHeight), 2, 2);
        painter.setBrush(accent);
        painter.drawRoundedRect(QRectF(track.left(), y - kSliderTrackHeight / 2, x - track.left(), kSliderTrackHeight), 2, 2);
        painter.setBrush(Qt::white);
        painter.setPen(QPen(veltrane::withOpacity(Qt::black, 0.2), 0.5));
        painter.drawEllipse(QPointF(x, y), kSliderKnob / 2, kSliderKnob / 2);
        break;
    }
    case Kind::field:
    case Kind::date:
        if (control == Control::newSubject) {
            const QRectF add = SettingsLayout::partRect(row, Part::addButton);
            painter.setPen(Qt::NoPen);
            painter.setBrush(accent);
            painter.drawRoundedRect(add, kSegmentRadius, kSegmentRadius);
            QFont font = rowTitleStyle().font();
            font.setWeight(QFont::DemiBold);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(add, Qt::AlignCenter, QString::fromUtf8(SettingsTexts::kAddSubject));
        } else if (control != Control::newDeadlineTitle) {
            paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control),
                palette.textSecondary, palette.textPrimary, SettingsLayout::partRect(row, Part::control).left() - Spacing::xs);
        }
        break;
    case Kind::button:
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), accent, accent,
            rect.right());
        break;
    case Kind::note:
    case Kind::caption: {
        double x = rect.left();
        if (row.spec.kind == Kind::note) {
            veltrane::SymbolPainter::paint(painter,
                QPointF(x + kRowSymbolSize / 2, rect.top() + Spacing::xs + kRowSymbolSize / 2), kRowSymbolSize,
                SettingsTexts::symbolName(control), palette.textSecondary);
        }
        x = rect.right() - SettingsLayout::noteTextWidth(rect);
        if (row.spec.kind == Kind::caption)
            x = rect.left();
        painter.setFont(noteStyle().font());
        painter.setPen(palette.textSecondary);
        painter.drawText(QRectF(x, rect.top() + Spacing::xs, rect.right() - x, rect.height() - 2 * Spacing::xs),
            Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, noteOf(control, m_bindings));
        break;
    }
    case Kind::value: {
        const QString value = m_bindings.valueText(control);
        // The version line is the row's title, and the update status stands at its end.
        if (control == Control::version) {
            const auto status = m_bindings.updateStatus();
            const QFont font = noteStyle().font();
            const double textWidth = std::ceil(QFontMetricsF(font).horizontalAdvance(status.text));
            const double symbolWidth = status.symbol.isEmpty() ? 0 : kRowSymbolSize + Spacing::tight;
            const double statusLeft = rect.right() - textWidth - symbolWidth;
            paintLeading(painter, rect, {}, value, palette.textSecondary, palette.textPrimary, statusLeft - Spacing::sm);
            const bool failed = m_bindings.updatePhase().kind == UpdateManager::Phase::Kind::failed;
            const QColor colour = failed ? Tokens::Colors::alert() : palette.textSecondary;
            if (!status.symbol.isEmpty())
                veltrane::SymbolPainter::paint(painter, QPointF(statusLeft + kRowSymbolSize / 2, rect.center().y()),
                    kRowSymbolSize, status.symbol, colour);
            painter.setFont(font);
            painter.setPen(colour);
            painter.drawText(QRectF(rect.right() - textWidth, rect.top(), textWidth + 1, rect.height()),
                Qt::AlignRight | Qt::AlignVCenter, status.text);
            break;
        }
        painter.setFont(rowTitleStyle().font());
        const double valueWidth = QFontMetricsF(painter.font()).horizontalAdvance(value);
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), palette.textSecondary,
            palette.textPrimary, rect.right() - valueWidth - Spacing::sm);
        painter.setFont(rowTitleStyle().font());
        painter.setPen(control == Control::version ? palette.textPrimary : palette.textSecondary);
        painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, value);
        break;
    }
    case Kind::item: {
        const QRectF remove = SettingsLayout::partRect(row, Part::remove);
        const bool isDeadline = control == Control::deadline;
        const QString title = isDeadline ? m_bindings.deadlineTitle(row.spec.index) : m_bindings.subjects().value(row.spec.index);
        double right = remove.left() - Spacing::sm;
        if (isDeadline) {
            const QString detail = m_bindings.deadlineDetail(row.spec.index);
            painter.setFont(noteStyle().font());
            const double detailWidth = QFontMetricsF(painter.font()).horizontalAdvance(detail);
            painter.setPen(palette.textSecondary);
            painter.drawText(QRectF(right - detailWidth, rect.top(), detailWidth + 1, rect.height()),
                Qt::AlignRight | Qt::AlignVCenter, detail);
            right -= detailWidth + Spacing::sm;
        }
        paintLeading(painter, rect, {}, title, palette.textSecondary, palette.textPrimary, right);
        veltrane::SymbolPainter::paint(painter, remove.center(), kRowSymbolSize + 2, SettingsTexts::symbolName(control),
            isDeadline ? palette.textSecondary : Tokens::Colors::alert());
        break;
    }
    case Kind::swatches:
        for (int i = 0; i < row.spec.count && i < static_cast<int>(m_swatches.size()); ++i)
            m_swatches[static_cast<std::size_t>(i)]->paint(painter, SettingsLayout::partRect(row, Part::swatch, i), palette);
        break;
    case Kind::colour: {
        const QRectF well = SettingsLayout::partRect(row, Part::well);
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), palette.textSecondary,
            palette.textPrimary, well.left() - Spacing::xs);
        // Text that is no colour shows a clear well: an outline and nothing in it.
        if (const auto colour = m_bindings.customAccent()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(*colour);
            painter.drawRoundedRect(well, kSegmentRadius, kSegmentRadius);
        }
        painter.setPen(QPen(veltrane::withOpacity(palette.textPrimary, 0.25), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), kSegmentRadius, kSegmentRadius);
        break;
    }
    case Kind::empty:
        paintLeading(painter, rect, SettingsTexts::symbolName(control), SettingsTexts::title(control), palette.textTertiary,
            palette.textSecondary, rect.right());
        break;
    }
    painter.restore();
}

} // namespace moorlet
