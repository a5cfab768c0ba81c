#include "Moorlet/Views/ExpandedCardView.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/AwayBanner.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/OptionalCardRows.h"
#include "Moorlet/Views/ViewContext.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Components/Material.h"
#include "VeltraneKit/Components/PillButtonPainter.h"
#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::Animation;
using veltrane::withOpacity;
using Kind = CardTarget::Kind;
namespace Colors = veltrane::DesignTokens::Colors;
namespace Typography = veltrane::DesignTokens::Typography;
namespace Spacing = veltrane::DesignTokens::Spacing;
namespace Radius = veltrane::DesignTokens::Radius;

// Motion.
const Animation kProgressChange = Animation::easeInOut(0.3);
// The smallest change of progress worth easing: about a point of the ring's or arc's length.
constexpr double kVisibleProgressStep = 0.004;
const Animation kGoalChange = Animation::spring(0.5, 0.8);
const Animation kPillHover = Animation::easeOut(0.15);
const Animation kStreakBounce = Animation::spring(0.3, 0.6);
constexpr veltrane::Seconds kReactionDuration = 0.5;
constexpr double kRingBreathScale = 1.02;
constexpr double kPillHoverScale = 1.05;
constexpr double kStreakBounceScale = 1.15;

// The header.
constexpr double kMascotSize = 20;
constexpr double kHeaderGap = 8;
constexpr double kHeaderSymbolSize = 12;
constexpr double kHeaderButtonWidth = 16;
// Share, insights and settings.
constexpr int kHeaderButtonCount = 3;
constexpr double kHitSlop = 4;
constexpr double kBadgePaddingX = 7;
constexpr double kBadgePaddingY = 3;
constexpr double kBadgeRadius = 6;
constexpr double kBadgeFillOpacity = 0.14;
constexpr double kBadgeSymbolSize = 9;
constexpr double kBadgeGap = 3;
const veltrane::TypeStyle kBadgeNumberStyle { 11, QFont::Medium, veltrane::FontDesign::rounded, true };

// The ring.
constexpr double kRingDiameter = 160;
constexpr double kRingLineWidth = 6;
constexpr double kRingTrackOpacity = 0.15;
constexpr double kRingSteps = 1000;
constexpr double kTimeWidth = 132;
constexpr double kTimeLineHeight = 52;
constexpr double kCheerLineHeight = 16;
constexpr double kSmallestTimeScale = 0.5;
// The countdown sits a little above the ring's centre, the cheer line under it.
constexpr double kTimeRise = 8;
constexpr double kCheerDrop = 28;

// Quick start.
constexpr double kChipSpacing = Spacing::xs;
constexpr double kChipFillOpacity = 0.12;
constexpr double kChipStrokeOpacity = 0.2;
constexpr double kHairlineWidth = 0.5;
const veltrane::TypeStyle kChipStyle { 12, QFont::Bold, veltrane::FontDesign::rounded, false };

// Today's figures.
constexpr double kStatTitleHeight = 12;
constexpr double kStatValueHeight = 20;
constexpr double kStatGap = 2;
constexpr double kGoalGap = 6;
constexpr double kGoalLabelHeight = 13;
constexpr double kTrackGap = 4;
constexpr double kTrackHeight = 5;
constexpr double kTrackOpacity = 0.16;
constexpr double kSmallestGoalFill = 4;
constexpr double kSectionTracking = 0.5;
const veltrane::TypeStyle kGoalLabelStyle { 11, QFont::Normal, veltrane::FontDesign::rounded, true };

// The insight and exam rows.
constexpr double kRowSymbolSize = 11;
constexpr double kExamSymbolSize = 13;
constexpr double kRowGap = 6;
constexpr int kUrgentDays = 4;

constexpr std::array<Kind, 3> kPills { Kind::reset, Kind::primary, Kind::skip };

QRectF inset(const QRectF& rect, double dx, double dy)
{
    return rect.adjusted(dx, dy, -dx, -dy);
}

std::size_t pillIndex(Kind kind)
{
    return static_cast<std::size_t>(std::find(kPills.begin(), kPills.end(), kind) - kPills.begin());
}

QFont sectionFont()
{
    QFont font = Typography::sectionLabel().font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, kSectionTracking);
    return font;
}

// The part of the card the ring row's aura and ring can reach.
QRectF ringArea(const QRectF& ring)
{
    const double reach = BreathingAura::kReach * BreathingAura::kLargestScale + veltrane::Motion::rowOffset;
    return QRectF(ring.center().x() - reach, ring.center().y() - reach, 2 * reach, 2 * reach);
}

// Where the time's line lies in the ring row.
QRectF timeBox(const QRectF& ring)
{
    const QPointF center = ring.center();
    return QRectF(center.x() - kTimeWidth / 2, center.y() - kTimeRise - kTimeLineHeight / 2, kTimeWidth, kTimeLineHeight);
}

// Where the cheer line lies in the ring row.
QRectF cheerBox(const QRectF& ring)
{
    const QPointF center = ring.center();
    return QRectF(center.x() - kTimeWidth / 2, center.y() + kCheerDrop - kCheerLineHeight / 2, kTimeWidth,
        kCheerLineHeight);
}

// How far each row's drawing may reach beyond its rectangle: shadows, the ring's glow.
double bleedOf(CardRow row)
{
    switch (row) {
    case CardRow::ring:
        return 24;
    case CardRow::controls:
        return 24;
    default:
        return 6;
    }
}

} // namespace

ExpandedCardView::ExpandedCardView(ViewContext& context, Actions actions)
    : m_context(context)
    , m_actions(std::move(actions))
    , m_mascot(context.ticker, kMascotSize)
    , m_aura(context.ticker)
    , m_cheer(context.ticker, context.scheduler)
    , m_time(context.ticker, RollingText::Style::digits, RollingText::Entry::fromAbove)
    , m_focusToday(context.ticker, RollingText::Style::digits, RollingText::Entry::fromBelow)
    , m_sessions(context.ticker, RollingText::Style::digits, RollingText::Entry::fromBelow)
    , m_ringProgress(context.ticker, 0.0)
    , m_ringScale(context.ticker, 1.0)
    , m_goalProgress(context.ticker, 0.0)
    , m_streakScale(context.ticker, 1.0)
    , m_taskPicker(context)
    , m_subjectIntention(context)
    , m_ambient(context)
    , m_nowPlaying(context)
{
    const auto repaint = context.repaint;
    // The aura and the ring breathe for as long as a session runs, and the time rolls every
    // second: only their areas are painted again on those frames.
    m_mascot.setOnFrame(repaint);
    m_aura.setOnFrame([this] { repaintAuraArea(); });
    m_cheer.setOnFrame([this] {
        repaintInRingRow([](const QRectF& ring) { return CheerLine::paintArea(cheerBox(ring)); });
    });
    m_time.setOnFrame([this] { repaintTimeArea(); });
    m_focusToday.setOnFrame(repaint);
    m_sessions.setOnFrame(repaint);
    m_time.settleFor(Typography::countdownExpanded().font());
    m_focusToday.settleFor(Typography::statValue().font());
    m_sessions.settleFor(Typography::statValue().font());
    m_ringProgress.onFrame = [this] { repaintRingArea(); };
    m_ringScale.onFrame = [this] { repaintRingArea(); };
    m_goalProgress.onFrame = repaint;
    // The chips move often (a drag, a page): only their row is painted again.
    m_ambient.setOnScroll([this] {
        if (const auto row = layout().rect(CardRow::ambient)) {
            const double bleed = bleedOf(CardRow::ambient);
            m_context.repaintCardArea(row->adjusted(-bleed, -bleed, bleed, bleed));
        }
    });
    m_streakScale.onFrame = repaint;
    for (auto& scale : m_pillScales) {
        scale = std::make_unique<veltrane::AnimatedValue<double>>(context.ticker, 1.0);
        scale->onFrame = repaint;
    }
    for (auto& reveal : m_reveals) {
        reveal = std::make_unique<StaggeredReveal>(context.ticker);
        reveal->setOnFrame(repaint);
    }
    refresh();
}

ExpandedCardView::~ExpandedCardView()
{
    m_dotPulseEnd.cancel();
    m_streakBounceEnd.cancel();
}

CardLayout ExpandedCardView::layout() const
{
    return CardLayout(OptionalCardRows::current(m_context.controller, m_context.media, m_context.store),
        WidgetMetrics::expanded.width);
}

QRectF ExpandedCardView::bounds() const
{
    return { 0, 0, WidgetMetrics::expanded.width, layout().requiredHeight() };
}

void ExpandedCardView::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (!shown) {
        m_revealed = false;
        for (auto& reveal : m_reveals)
            reveal->setRevealed(false, 0, true);
        closePopups();
        m_dotPulseEnd.cancel();
        m_streakBounceEnd.cancel();
        m_dotPulse = false;
        m_streakBounce = false;
        m_streakScale.jumpTo(1.0);
        m_mascot.setPulsing(false, true);
        for (auto& scale : m_pillScales)
            scale->jumpTo(1.0);
        m_hovered.reset();
    }
    refresh();
}

void ExpandedCardView::refresh()
{
    const FocusController& controller = m_context.controller;
    const bool reduce = m_context.reducesMotion();
    // Animations run only on a card that is on screen and has shown its first look.
    const bool animate = m_shown && m_initialised;
    m_initialised = true;
    const auto motion = [animate, reduce](const Animation& animation) -> std::optional<Animation> {
        if (!animate || reduce)
            return std::nullopt;
        return animation;
    };

    reactToPhase(animate && !reduce);
    reactToStreak(animate && !reduce);

    const QColor accent = controller.accent();
    m_mascot.update(CardTexts::mascotSymbol(controller.phase(), controller.isPaused()), accent, !animate || reduce);
    const auto sceneTint = m_context.ambient ? m_context.ambient->sceneTint() : std::nullopt;
    // A card that is not on screen does not breathe: its frames would be painted for nothing.
    m_aura.update(sceneTint.value_or(accent), controller.isRunning() && m_shown, reduce);
    updateTime(animate && !reduce);
    m_cheer.update(controller.phase(), controller.isPaused(), m_shown, reduce);
    m_focusToday.setText(controller.focusTodayLabel(), motion(RollingText::digitRoll()));
    m_sessions.setText(QString::number(controller.completedSessionsToday()), motion(RollingText::digitRoll()));
    if (controller.goalProgress() != m_goalProgress.target())
        m_goalProgress.start(controller.goalProgress(), motion(kGoalChange));
    updateRingBreathing();
    if (m_shown) {
        revealRows();
        if (OptionalCardRows::showsNowPlaying(m_context.media))
            m_nowPlaying.shown();
    }
    m_context.repaint();
}

void ExpandedCardView::refreshTime()
{
    const bool animate = m_shown && m_initialised && !m_context.reducesMotion();
    m_initialised = true;
    updateTime(animate);
}

void ExpandedCardView::updateTime(bool animate)
{
    const FocusController& controller = m_context.controller;
    if (controller.progress() != m_ringProgress.target()) {
        // A tick moves a long block's ring by a fraction of a point: such steps are drawn as they
        // are, and only visible jumps (a skip, a reset, a new phase) ease.
        const bool visible = std::abs(controller.progress() - m_ringProgress.target()) >= kVisibleProgressStep;
        const bool eases = animate && visible;
        const double shown = drawnRingProgress();
        m_ringProgress.start(controller.progress(), eases ? std::optional(kProgressChange) : std::nullopt);
        if (!eases && drawnRingProgress() != shown)
            repaintRingArea();
    }
    if (controller.displayTime() != m_time.text()) {
        m_time.setText(controller.displayTime(), animate ? std::optional(RollingText::digitRoll()) : std::nullopt);
        if (!animate)
            repaintTimeArea();
    }
}

double ExpandedCardView::drawnRingProgress() const
{
    return std::round(m_ringProgress.value() * kRingSteps) / kRingSteps;
}

void ExpandedCardView::repaintInRingRow(const std::function<QRectF(const QRectF& ring)>& area) const
{
    if (const auto ring = layout().rect(CardRow::ring); ring && m_shown)
        m_context.repaintCardArea(area(*ring));
}

void ExpandedCardView::repaintAuraArea() const
{
    repaintInRingRow([](const QRectF& ring) { return ringArea(ring); });
}

void ExpandedCardView::repaintRingArea() const
{
    repaintInRingRow([](const QRectF& ring) {
        veltrane::ProgressRingPainter painter;
        painter.lineWidth = kRingLineWidth;
        const double reach = (kRingDiameter / 2 + painter.overhang()) * kRingBreathScale + 1;
        const QPointF center = ring.center();
        return QRectF(center.x() - reach, center.y() - reach, 2 * reach, 2 * reach);
    });
}

void ExpandedCardView::repaintTimeArea() const
{
    repaintInRingRow([](const QRectF& ring) {
        return RollingText::paintArea(timeBox(ring), Typography::countdownExpanded().font());
    });
}

void ExpandedCardView::reactToPhase(bool animate)
{
    const SessionPhase phase = m_context.controller.phase();
    const bool changed = m_lastPhase && *m_lastPhase != phase;
    m_lastPhase = phase;
    if (!changed || !animate)
        return;
    m_dotPulse = true;
    m_mascot.setPulsing(true, false);
    m_dotPulseEnd.cancel();
    m_dotPulseEnd = m_context.scheduler->schedule(kReactionDuration, [this] {
        m_dotPulse = false;
        m_mascot.setPulsing(false, m_context.reducesMotion());
    });
}

void ExpandedCardView::reactToStreak(bool animate)
{
    const int streak = m_context.controller.streak();
    const bool changed = streak != m_lastStreak;
    m_lastStreak = streak;
    if (!changed || !animate)
        return;
    m_streakBounce = true;
    m_streakScale.start(kStreakBounceScale, kStreakBounce);
    m_streakBounceEnd.cancel();
    m_streakBounceEnd = m_context.scheduler->schedule(kReactionDuration, [this] {
        m_streakBounce = false;
        m_streakScale.start(1.0, kStreakBounce);
    });
}

void ExpandedCardView::revealRows()
{
    m_revealed = true;
    const bool reduce = m_context.reducesMotion();
    const CardLayout rows = layout();
    for (const CardLayout::Row& row : rows.rows())
        m_reveals[static_cast<std::size_t>(row.kind)]->setRevealed(true, row.revealIndex, reduce);
}

void ExpandedCardView::updateRingBreathing()
{
    const bool breathe = m_shown && m_context.controller.isRunning() && !m_context.reducesMotion();
    if (breathe == m_ringBreathing)
        return;
    m_ringBreathing = breathe;
    if (const auto breathing = veltrane::Motion::breathing(!breathe))
        m_ringScale.start(1.0, kRingBreathScale, *breathing);
    else
        m_ringScale.jumpTo(1.0);
}

double ExpandedCardView::pillScale(Kind kind) const
{
    const std::size_t index = pillIndex(kind);
    return index < kPills.size() ? m_pillScales[index]->value() : 1.0;
}

void ExpandedCardView::setHovered(const std::optional<CardTarget>& target)
{
    if (target == m_hovered)
        return;
    m_hovered = target;
    for (std::size_t i = 0; i < kPills.size(); ++i) {
        const double scale = target && target->kind == kPills[i] ? kPillHoverScale : 1.0;
        if (m_pillScales[i]->target() != scale)
            m_pillScales[i]->start(scale, kPillHover);
    }
}

// ---- Geometry ----

QRectF ExpandedCardView::streakBadgeRect(const QRectF& header) const
{
    const QString number = QString::number(m_context.controller.streak());
    const QFontMetricsF metrics(kBadgeNumberStyle.font());
    const double symbolWidth = veltrane::SymbolPainter::box({}, kBadgeSymbolSize).width();
    const double width = 2 * kBadgePaddingX + symbolWidth + kBadgeGap + metrics.horizontalAdvance(number);
    const double height = metrics.height() + 2 * kBadgePaddingY;
    const double right = header.right() - kHeaderButtonCount * (kHeaderButtonWidth + kHeaderGap);
    return { right - width, header.center().y() - height / 2, width, height };
}

QRectF ExpandedCardView::targetRect(const CardTarget& target) const
{
    const CardLayout rows = layout();
    const auto rowRect = [&rows](CardRow row) { return rows.rect(row).value_or(QRectF()); };
    switch (target.kind) {
    case Kind::settings:
    case Kind::insights:
    case Kind::share: {
        // From the right edge: settings, insights, share.
        const QRectF header = rowRect(CardRow::header);
        const int fromRight = target.kind == Kind::settings ? 0 : target.kind == Kind::insights ? 1 : 2;
        const double right = header.right() - fromRight * (kHeaderButtonWidth + kHeaderGap);
        return { right - kHeaderButtonWidth, header.top(), kHeaderButtonWidth, header.height() };
    }
    case Kind::reset:
    case Kind::primary:
    case Kind::skip: {
        const QRectF controls = rowRect(CardRow::controls);
        const veltrane::PillButtonPainter small(QString(), QColor(), false);
        const veltrane::PillButtonPainter large(QString(), QColor(), true);
        const double total = 2 * small.diameter() + large.diameter() + 2 * Spacing::md;
        const double offset = (total - small.diameter()) / 2;
        const double centerX = controls.center().x()
            + (target.kind == Kind::reset ? -offset : target.kind == Kind::skip ? offset : 0);
        const double side = target.kind == Kind::primary ? large.diameter() : small.diameter();
        return { centerX - side / 2, controls.center().y() - side / 2, side, side };
    }
    case Kind::taskPicker:
        return rowRect(CardRow::taskPicker);
    case Kind::subject:
        return m_subjectIntention.subjectRect(rowRect(CardRow::subjectIntention));
    case Kind::intention:
        return m_subjectIntention.intentionRect(rowRect(CardRow::subjectIntention));
    case Kind::quickStart: {
        const QRectF row = rowRect(CardRow::quickStart);
        const auto count = static_cast<double>(m_context.controller.quickStartMinutes().size());
        if (count <= 0)
            return {};
        const double width = (row.width() - (count - 1) * kChipSpacing) / count;
        return { row.left() + target.index * (width + kChipSpacing), row.top(), width, row.height() };
    }
    case Kind::soundChip:
    case Kind::importSounds: {
        const QRectF row = rowRect(CardRow::ambient);
        const int index = target.kind == Kind::importSounds
            ? (m_context.ambient ? static_cast<int>(m_context.ambient->sounds().size()) : 0)
            : target.index;
        return m_ambient.chipRect(row, index);
    }
    case Kind::volume:
        return m_ambient.sliderRect(rowRect(CardRow::ambient));
    case Kind::chipRow:
        return m_ambient.chipsArea(rowRect(CardRow::ambient));
    case Kind::chipsBack:
    case Kind::chipsForward:
        return m_ambient.arrowRect(rowRect(CardRow::ambient),
            target.kind == Kind::chipsBack ? AmbientView::Direction::back : AmbientView::Direction::forward);
    case Kind::previousTrack:
    case Kind::playPause:
    case Kind::nextTrack:
    case Kind::openPlayer:
        return m_nowPlaying.targetRect(rowRect(CardRow::nowPlaying), target);
    case Kind::awayKeep:
    case Kind::awayDrop:
    case Kind::awayResume:
        if (const auto banner = awayBannerRect())
            return AwayBanner::buttonRect(*banner, m_context.controller.awayNotice()->kind, target.kind);
        return {};
    }
    return {};
}

std::optional<QRectF> ExpandedCardView::awayBannerRect() const
{
    // Over the task picker and the quick start: the controls stay in reach above it.
    const CardLayout rows = layout();
    const auto top = rows.rect(CardRow::taskPicker);
    const auto bottom = rows.rect(CardRow::quickStart);
    if (!m_context.controller.awayNotice() || !top || !bottom)
        return std::nullopt;
    return top->united(*bottom);
}

std::optional<CardTarget> ExpandedCardView::hitTest(QPointF point) const
{
    // The notice covers the rows under it: they take no input while it shows.
    if (const auto banner = awayBannerRect(); banner && banner->contains(point))
        return AwayBanner::hitTest(*banner, m_context.controller.awayNotice()->kind, point);
    const CardLayout rows = layout();
    for (const CardLayout::Row& row : rows.rows()) {
        const QRectF slopRect = row.rect.adjusted(-kHitSlop, -kHitSlop, kHitSlop, kHitSlop);
        if (!slopRect.contains(point))
            continue;
        switch (row.kind) {
        case CardRow::header:
            for (const Kind kind : { Kind::share, Kind::insights, Kind::settings }) {
                if (targetRect({ kind }).adjusted(-kHitSlop, -kHitSlop, kHitSlop, kHitSlop).contains(point))
                    return CardTarget { kind };
            }
            break;
        case CardRow::controls:
            for (const Kind kind : kPills) {
                const QRectF circle = targetRect({ kind });
                const QPointF delta = point - circle.center();
                if (std::hypot(delta.x(), delta.y()) <= circle.width() / 2)
                    return CardTarget { kind };
            }
            break;
        case CardRow::taskPicker:
            if (row.rect.contains(point))
                return CardTarget { Kind::taskPicker };
            break;
        case CardRow::subjectIntention:
            for (const Kind kind : { Kind::subject, Kind::intention }) {
                if (targetRect({ kind }).contains(point))
                    return CardTarget { kind };
            }
            break;
        case CardRow::quickStart:
            for (int i = 0; i < static_cast<int>(m_context.controller.quickStartMinutes().size()); ++i) {
                if (targetRect({ Kind::quickStart, i }).contains(point))
                    return CardTarget { Kind::quickStart, i };
            }
            break;
        case CardRow::ambient:
            if (m_context.ambient)
                return m_ambient.hitTest(row.rect, point);
            break;
        case CardRow::nowPlaying:
            return m_nowPlaying.hitTest(row.rect, point);
        default:
            break;
        }
    }
    return std::nullopt;
}

// ---- Actions ----

void ExpandedCardView::activate(const CardTarget& target, const QRect& onScreen)
{
    FocusController& controller = m_context.controller;
    switch (target.kind) {
    case Kind::share:
        if (m_actions.openShare)
            m_actions.openShare();
        break;
    case Kind::insights:
        if (m_actions.openInsights)
            m_actions.openInsights();
        break;
    case Kind::settings:
        if (m_actions.openSettings)
            m_actions.openSettings();
        break;
    case Kind::reset:
        controller.engine().reset();
        controller.sync();
        break;
    case Kind::primary: {
        const bool starts = controller.phase() == SessionPhase::idle;
        controller.toggle();
        if (starts)
            promptForIntention();
        break;
    }
    case Kind::skip:
        controller.engine().skip();
        controller.sync();
        break;
    case Kind::taskPicker:
        m_taskPicker.toggle(onScreen);
        break;
    case Kind::subject:
        m_subjectIntention.subjectMenu().toggle(onScreen);
        break;
    case Kind::intention:
        m_subjectIntention.intentionField().toggle(intentionAnchor());
        break;
    case Kind::quickStart: {
        const std::vector<int> minutes = controller.quickStartMinutes();
        if (target.index >= 0 && target.index < static_cast<int>(minutes.size())) {
            controller.startFocus(minutes[static_cast<std::size_t>(target.index)]);
            promptForIntention();
        }
        break;
    }
    case Kind::soundChip:
    case Kind::importSounds:
    case Kind::volume:
    case Kind::chipRow:
    case Kind::chipsBack:
    case Kind::chipsForward:
        if (const auto row = layout().rect(CardRow::ambient))
            m_ambient.activate(*row, target);
        break;
    case Kind::previousTrack:
    case Kind::playPause:
    case Kind::nextTrack:
    case Kind::openPlayer:
        m_nowPlaying.activate(target);
        break;
    case Kind::awayKeep:
        controller.keepAwayTime();
        break;
    case Kind::awayDrop:
        controller.dropAwayTime();
        break;
    case Kind::awayResume:
        controller.resumeAfterAway();
        break;
    }
    m_context.repaint();
}

void ExpandedCardView::promptForIntention()
{
    if (!m_shown || m_context.controller.phase() != SessionPhase::focusing
        || !m_context.controller.focusSettings().intentionPromptEnabled())
        return;
    m_subjectIntention.intentionField().setShowing(true, intentionAnchor());
}

QRect ExpandedCardView::intentionAnchor() const
{
    // Under the whole row, centred on the card, where the answer will show.
    return m_context.cardAreaOnScreen(layout().rect(CardRow::subjectIntention).value_or(QRectF()));
}

void ExpandedCardView::closePopups()
{
    m_taskPicker.setShowing(false);
    m_subjectIntention.closePopups();
}

void ExpandedCardView::dragVolume(double x)
{
    if (const auto row = layout().rect(CardRow::ambient))
        m_ambient.dragVolume(*row, x);
}

bool ExpandedCardView::scroll(QPointF point, double delta)
{
    const auto row = layout().rect(CardRow::ambient);
    if (!row || !m_context.ambient || !row->contains(point))
        return false;
    return m_ambient.scroll(*row, delta);
}

bool ExpandedCardView::dragChips(double dx)
{
    const auto row = layout().rect(CardRow::ambient);
    return row && m_context.ambient && m_ambient.drag(*row, dx);
}

// ---- Painting ----

void ExpandedCardView::paint(QPainter& painter, const QRectF& card) const
{
    const bool reduce = m_context.reducesMotion();
    const CardLayout rows = layout();
    painter.save();
    painter.translate(card.topLeft());
    // The aura glows behind every row, so it is drawn first, with the ring row's reveal.
    if (const auto ring = rows.rect(CardRow::ring)) {
        const StaggeredReveal& reveal = *m_reveals[static_cast<std::size_t>(CardRow::ring)];
        painter.save();
        painter.setOpacity(painter.opacity() * reveal.opacity());
        painter.translate(0, reveal.offset(reduce));
        m_aura.paint(painter, ring->center());
        painter.restore();
    }
    const std::optional<QRectF> clip = painter.hasClipping() ? std::optional(painter.clipBoundingRect()) : std::nullopt;
    for (const CardLayout::Row& row : rows.rows()) {
        const double bleed = bleedOf(row.kind) + veltrane::Motion::rowOffset;
        if (clip && !clip->intersects(row.rect.adjusted(-bleed, -bleed, bleed, bleed)))
            continue;
        m_reveals[static_cast<std::size_t>(row.kind)]->paint(painter, row.rect, bleedOf(row.kind), reduce,
            [&](QPainter& target) { paintRow(target, row.kind, row.rect); });
    }
    if (const auto banner = awayBannerRect()) {
        AwayBanner::paint(painter, *banner, *m_context.controller.awayNotice(),
            { m_context.palette.windowBackground, m_context.palette.textPrimary, m_context.accent() }, m_hovered);
    }
    painter.restore();
}

void ExpandedCardView::paintRow(QPainter& painter, CardRow row, const QRectF& rect) const
{
    switch (row) {
    case CardRow::header:
        paintHeader(painter, rect);
        break;
    case CardRow::ring:
        paintRing(painter, rect);
        break;
    case CardRow::controls:
        paintControls(painter, rect);
        break;
    case CardRow::taskPicker:
        m_taskPicker.paint(painter, rect);
        break;
    case CardRow::subjectIntention:
        m_subjectIntention.paint(painter, rect);
        break;
    case CardRow::quickStart:
        paintQuickStart(painter, rect);
        break;
    case CardRow::accountability:
        paintAccountability(painter, rect);
        break;
    case CardRow::insight:
        paintInsight(painter, rect);
        break;
    case CardRow::exam:
        paintExam(painter, rect);
        break;
    case CardRow::ambient:
        if (m_context.ambient)
            m_ambient.paint(painter, rect, bounds());
        break;
    case CardRow::nowPlaying:
        m_nowPlaying.paint(painter, rect, bounds());
        break;
    }
}

void ExpandedCardView::paintHeader(QPainter& painter, const QRectF& rect) const
{
    const FocusController& controller = m_context.controller;
    const ViewPalette& palette = m_context.palette;
    m_mascot.paint(painter, QPointF(rect.left() + kMascotSize / 2, rect.center().y()));

    const QRectF badge = streakBadgeRect(rect);
    const double titleLeft = rect.left() + kMascotSize + kHeaderGap;
    const double titleRight = controller.streak() > 0 ? badge.left() - kHeaderGap : badge.right();
    const QFont titleFont = sectionFont();
    painter.save();
    painter.setFont(titleFont);
    painter.setPen(palette.textSecondary);
    const QString title = CardTexts::cardPhaseTitle(controller.phase()).toUpper();
    const QRectF titleBox(titleLeft, rect.top(), titleRight - titleLeft, rect.height());
    drawElidedText(painter, titleBox, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.restore();

    if (controller.streak() > 0) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        const double scale = m_streakScale.value();
        painter.translate(badge.center());
        painter.scale(scale, scale);
        painter.translate(-badge.center());
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(Colors::streak(), kBadgeFillOpacity));
        painter.drawRoundedRect(badge, kBadgeRadius, kBadgeRadius);
        const double symbolWidth = veltrane::SymbolPainter::box({}, kBadgeSymbolSize).width();
        veltrane::SymbolPainter::paint(painter, QPointF(badge.left() + kBadgePaddingX + symbolWidth / 2, badge.center().y()),
            kBadgeSymbolSize, QStringLiteral("flame.fill"), Colors::streak());
        painter.setFont(kBadgeNumberStyle.font());
        painter.setPen(palette.textPrimary);
        painter.drawText(badge.adjusted(kBadgePaddingX + symbolWidth + kBadgeGap, 0, -kBadgePaddingX, 0),
            Qt::AlignLeft | Qt::AlignVCenter, QString::number(controller.streak()));
        painter.restore();
    }

    veltrane::SymbolPainter::paint(painter, targetRect({ Kind::share }).center(), kHeaderSymbolSize,
        QStringLiteral("square.and.arrow.up"), palette.textTertiary);
    veltrane::SymbolPainter::paint(painter, targetRect({ Kind::insights }).center(), kHeaderSymbolSize,
        QStringLiteral("chart.bar.fill"), palette.textTertiary);
    veltrane::SymbolPainter::paint(painter, targetRect({ Kind::settings }).center(), kHeaderSymbolSize,
        QStringLiteral("gearshape.fill"), palette.textTertiary);
}

void ExpandedCardView::paintRing(QPainter& painter, const QRectF& rect) const
{
    const QPointF center = rect.center();
    const QRectF frame(center.x() - kRingDiameter / 2, center.y() - kRingDiameter / 2, kRingDiameter, kRingDiameter);
    const QColor accent = m_context.accent();
    painter.save();
    const double scale = m_ringScale.value();
    painter.translate(center);
    painter.scale(scale, scale);
    painter.translate(-center);
    veltrane::ProgressRingPainter ring;
    // Drawn to the nearest thousandth (half a point along the ring), so that the glow is blurred
    // anew only when the arc visibly grows.
    ring.progress = drawnRingProgress();
    ring.tint = accent;
    ring.lineWidth = kRingLineWidth;
    ring.trackOpacity = kRingTrackOpacity;
    const double reach = ring.overhang();
    m_ringLayer.draw(painter, frame.adjusted(-reach, -reach, reach, reach), layerKey(ring.progress, accent.rgba()),
        [&](QPainter& layer) { ring.paint(layer, QRectF(reach, reach, frame.width(), frame.height())); });
    painter.restore();

    m_time.paint(painter, timeBox(rect), Typography::countdownExpanded().font(), m_context.palette.textPrimary,
        Qt::AlignHCenter, kSmallestTimeScale);
    m_cheer.paint(painter, cheerBox(rect), m_context.palette.textSecondary);
}

void ExpandedCardView::paintControls(QPainter& painter, const QRectF&) const
{
    const QColor accent = m_context.accent();
    const std::array pills {
        veltrane::PillButtonPainter(QStringLiteral("arrow.counterclockwise"), Colors::idle(), false),
        veltrane::PillButtonPainter(m_context.controller.primaryIcon(), accent, true),
        veltrane::PillButtonPainter(QStringLiteral("forward.fill"), accent, false),
    };
    // What a plain button takes from the host's palette is part of its picture too.
    const QPalette& palette = m_context.palette.source;
    const QRgb material = veltrane::materialFill(veltrane::Material::ultraThin, palette).rgba();
    const QRgb symbol = Colors::textPrimary(palette).rgba();
    for (std::size_t i = 0; i < pills.size(); ++i) {
        const veltrane::PillButtonPainter& pill = pills[i];
        const QRectF frame = targetRect({ kPills[i] });
        const double reach = pill.overhang();
        const double scale = pillScale(kPills[i]);
        m_pillLayers[i].draw(painter, frame.adjusted(-reach, -reach, reach, reach),
            layerKey(pill.systemImage(), pill.tint().rgba(), scale, material, symbol),
            [&](QPainter& layer) {
                pill.paint(layer, QRectF(reach, reach, frame.width(), frame.height()), palette, scale);
            });
    }
}

void ExpandedCardView::paintQuickStart(QPainter& painter, const QRectF& rect) const
{
    const QColor accent = m_context.accent();
    // On a pale accent (the idle grey) the numbers take a deeper shade of it.
    const QColor text = m_context.readableAccent(bounds(), rect.center(), kChipFillOpacity);
    const std::vector<int> minutes = m_context.controller.quickStartMinutes();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(kChipStyle.font());
    for (int i = 0; i < static_cast<int>(minutes.size()); ++i) {
        const QRectF chip = targetRect({ Kind::quickStart, i });
        const QRectF shape = inset(chip, kHairlineWidth / 2, kHairlineWidth / 2);
        painter.setPen(QPen(withOpacity(accent, kChipStrokeOpacity), kHairlineWidth));
        painter.setBrush(withOpacity(accent, kChipFillOpacity));
        painter.drawRoundedRect(shape, Radius::small, Radius::small);
        painter.setPen(text);
        painter.drawText(chip, Qt::AlignCenter, QStringLiteral("%1m").arg(minutes[static_cast<std::size_t>(i)]));
    }
    painter.restore();
}

void ExpandedCardView::paintAccountability(QPainter& painter, const QRectF& rect) const
{
    const FocusController& controller = m_context.controller;
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Colors::hairline(), kHairlineWidth));
    painter.setBrush(palette.subtleFill);
    painter.drawRoundedRect(inset(rect, kHairlineWidth / 2, kHairlineWidth / 2), Radius::small, Radius::small);

    const QRectF content = inset(rect, Spacing::sm, Spacing::sm);
    const QRectF titles(content.left(), content.top(), content.width(), kStatTitleHeight);
    const QRectF values(content.left(), titles.bottom() + kStatGap, content.width(), kStatValueHeight);
    painter.setFont(sectionFont());
    painter.setPen(palette.textTertiary);
    painter.drawText(titles, Qt::AlignLeft | Qt::AlignVCenter, CardTexts::kFocusToday);
    painter.drawText(titles, Qt::AlignRight | Qt::AlignVCenter, CardTexts::kSessions);
    const QFont valueFont = Typography::statValue().font();
    const QRectF half(values.left(), values.top(), values.width() / 2, values.height());
    m_focusToday.paint(painter, half, valueFont, palette.textPrimary, Qt::AlignLeft);
    m_sessions.paint(painter, half.translated(half.width(), 0), valueFont, palette.textPrimary, Qt::AlignRight);

    const QRectF goalLine(content.left(), values.bottom() + kGoalGap, content.width(), kGoalLabelHeight);
    painter.setFont(Typography::secondary().font());
    painter.setPen(palette.textSecondary);
    painter.drawText(goalLine, Qt::AlignLeft | Qt::AlignVCenter, CardTexts::kDailyGoal);
    painter.setFont(kGoalLabelStyle.font());
    painter.setPen(palette.textTertiary);
    painter.drawText(goalLine, Qt::AlignRight | Qt::AlignVCenter, controller.goalLabel());

    const QRectF track(content.left(), goalLine.bottom() + kTrackGap, content.width(), kTrackHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(accent, kTrackOpacity));
    painter.drawRoundedRect(track, kTrackHeight / 2, kTrackHeight / 2);
    QRectF filled = track;
    filled.setWidth(std::clamp(track.width() * m_goalProgress.value(), kSmallestGoalFill, track.width()));
    painter.setBrush(accent);
    painter.drawRoundedRect(filled, kTrackHeight / 2, kTrackHeight / 2);
    painter.restore();
}

void ExpandedCardView::paintInsight(QPainter& painter, const QRectF& rect) const
{
    const auto label = m_context.controller.bestHourLabel();
    if (!label)
        return;
    const double symbolWidth = veltrane::SymbolPainter::box({}, kRowSymbolSize).width();
    veltrane::SymbolPainter::paint(painter, QPointF(rect.left() + symbolWidth / 2, rect.center().y()), kRowSymbolSize,
        QStringLiteral("sun.max.fill"), m_context.accent());
    const QFont font = Typography::secondary().font();
    const QRectF text = rect.adjusted(symbolWidth + kRowGap, 0, 0, 0);
    painter.save();
    painter.setFont(font);
    painter.setPen(m_context.palette.textSecondary);
    drawElidedText(painter, text, Qt::AlignLeft | Qt::AlignVCenter, CardTexts::bestHourInsight(*label));
    painter.restore();
}

void ExpandedCardView::paintExam(QPainter& painter, const QRectF& rect) const
{
    const auto deadline = m_context.store.nextUpcoming();
    if (!deadline)
        return;
    const ViewPalette& palette = m_context.palette;
    const int days = m_context.store.daysUntil(*deadline, m_context.clock->now());
    // The alert red is pale: on a light card it takes a deeper shade of itself to stay readable.
    const QColor row = veltrane::ColorContrast::composited(palette.subtleFill, m_context.backdrop(bounds(), rect.center()));
    const QColor emphasis = days < kUrgentDays
        ? veltrane::ColorContrast::readableShade(Colors::alert(), row, veltrane::DesignTokens::Contrast::text)
        : palette.textSecondary;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Colors::hairline(), kHairlineWidth));
    painter.setBrush(palette.subtleFill);
    painter.drawRoundedRect(inset(rect, kHairlineWidth / 2, kHairlineWidth / 2), Radius::small, Radius::small);

    const QRectF content = inset(rect, Spacing::sm, 0);
    const double symbolWidth = veltrane::SymbolPainter::box({}, kExamSymbolSize).width();
    veltrane::SymbolPainter::paint(painter, QPointF(content.left() + symbolWidth / 2, content.center().y()),
        kExamSymbolSize, QStringLiteral("graduationcap.fill"), emphasis);
    const QString countdown = CardTexts::deadlineCountdown(days);
    const QFont countdownFont = Typography::secondary().font();
    const double countdownWidth = QFontMetricsF(countdownFont).horizontalAdvance(countdown);
    painter.setFont(countdownFont);
    painter.setPen(emphasis);
    painter.drawText(QRectF(content.right() - countdownWidth, content.top(), countdownWidth, content.height()),
        Qt::AlignRight | Qt::AlignVCenter, countdown);
    const QFont titleFont = Typography::label().font();
    const double titleLeft = content.left() + symbolWidth + kRowGap;
    const QRectF title(titleLeft, content.top(), content.right() - countdownWidth - kRowGap - titleLeft, content.height());
    painter.setFont(titleFont);
    painter.setPen(palette.textPrimary);
    drawElidedText(painter, title, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(deadline->title));
    painter.restore();
}

} // namespace moorlet
