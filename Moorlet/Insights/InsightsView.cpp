#include "Moorlet/Insights/InsightsView.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/SessionRecords.h"
#include "Moorlet/Insights/ChartShapes.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QDateTime>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimeZone>

#include <algorithm>

namespace moorlet {

namespace {

namespace M = InsightsMetrics;
namespace Colors = veltrane::DesignTokens::Colors;
using veltrane::FontDesign;
using veltrane::withOpacity;
using Kind = InsightsTarget::Kind;

QFont rounded(double size, QFont::Weight weight, bool monospacedDigits = false)
{
    return veltrane::TypeStyle { size, weight, FontDesign::rounded, monospacedDigits }.font();
}

// The calendar day of an instant as a date in the analytics' own zone, for the user's locale to name.
QDate dateOf(const veltrane::Calendar& calendar, veltrane::Instant instant)
{
    const auto parts = calendar.components(instant);
    return QDate(parts.year, parts.month, parts.day);
}

QString dayText(const veltrane::Calendar& calendar, veltrane::Instant day, const QString& format, double seconds)
{
    return QLocale().toString(dateOf(calendar, day), format) + QStringLiteral(" · ") + durationLabel(seconds)
        + QStringLiteral(" focus");
}

const auto kBarGrowth = veltrane::Animation::spring(0.2, 0.7);
const auto kHoverFade = veltrane::Animation::easeOut(0.15);
const auto kTileSwell = veltrane::Animation::spring(0.15, 0.6);
constexpr double kDimmedBarOpacity = 0.4;
constexpr double kHoveredTileScale = 1.25;

const veltrane::ShadowStyle kCardShadow { withOpacity(Qt::black, 0.04), 6, QPointF(0, 3) };

} // namespace

InsightsView::InsightsView(LocalDataStore& store, FocusSettings& focusSettings, QColor accent,
    AnalyticsEngine analytics, veltrane::ClockPtr clock, veltrane::FrameTicker& ticker,
    const ReduceMotion& reduceMotion, Actions actions, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_focusSettings(focusSettings)
    , m_accent(accent)
    , m_analytics(std::move(analytics))
    , m_clock(std::move(clock))
    , m_ticker(ticker)
    , m_reduceMotion(reduceMotion)
    , m_actions(std::move(actions))
    , m_palette(ViewPalette::from(palette()))
{
    setMouseTracking(true);
    for (int index = 0; index < InsightsFigures::kActivityDays; ++index)
        m_tileScales.push_back(animated(1));
    connect(&store, &LocalDataStore::sessionsChanged, this, &InsightsView::refresh);
    connect(&focusSettings, &FocusSettings::dailyGoalMinutesChanged, this, &InsightsView::refresh);
    refresh();
}

InsightsView::~InsightsView() = default;

InsightsView::Animated InsightsView::animated(double initial)
{
    auto value = std::make_unique<veltrane::AnimatedValue<double>>(m_ticker, initial);
    value->onFrame = [this] { update(); };
    return value;
}

veltrane::Animation InsightsView::adaptive(const veltrane::Animation& animation) const
{
    return veltrane::Motion::adaptive(animation, m_reduceMotion.isOn());
}

void InsightsView::animateBars()
{
    double top = 1;
    for (const auto& total : m_figures.days)
        top = std::max(top, total.seconds);
    // A new range brings new bars: they grow from the floor.
    if (m_barHeights.size() != m_figures.days.size()) {
        m_barHeights.clear();
        m_barOpacities.clear();
        for (std::size_t index = 0; index < m_figures.days.size(); ++index) {
            m_barHeights.push_back(animated(0));
            m_barOpacities.push_back(animated(1));
        }
    }
    for (std::size_t index = 0; index < m_figures.days.size(); ++index)
        m_barHeights[index]->start(m_figures.days[index].seconds / top, adaptive(kBarGrowth));
}

void InsightsView::refresh()
{
    m_records = recordsOf(m_store.sessions());
    m_figures = InsightsFigures::compute(m_analytics, m_records, m_figures.rangeDays, m_clock->now(),
        m_focusSettings.dailyGoalMinutes());
    if (m_hoveredDay && *m_hoveredDay >= static_cast<int>(m_figures.days.size()))
        m_hoveredDay.reset();
    animateBars();
    setFixedHeight(static_cast<int>(std::ceil(layout().height())));
    update();
}

void InsightsView::setRangeDays(int days)
{
    if (days == m_figures.rangeDays)
        return;
    m_hoveredDay.reset();
    // The range changes only the summary and the bars; the hours, subjects and map stay.
    m_figures.changeRange(m_analytics, m_records, days);
    animateBars();
    setFixedHeight(static_cast<int>(std::ceil(layout().height())));
    update();
}

InsightsLayout InsightsView::layout() const
{
    return InsightsLayout(static_cast<int>(m_figures.days.size()), static_cast<int>(m_figures.subjects.size()));
}

QSize InsightsView::sizeHint() const
{
    return QSize(static_cast<int>(M::width), static_cast<int>(std::ceil(layout().height())));
}

void InsightsView::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

void InsightsView::setViewPalette(const ViewPalette& palette)
{
    m_palette = palette;
    update();
}

void InsightsView::setHovered(const std::optional<InsightsTarget>& target)
{
    m_hovered = target;
    const auto indexOf = [&](Kind kind) -> std::optional<int> {
        return target && target->kind == kind ? std::optional(target->index) : std::nullopt;
    };
    m_hoveredDay = indexOf(Kind::dayBar);
    m_hoveredActivity = indexOf(Kind::activityTile);
    for (std::size_t index = 0; index < m_barOpacities.size(); ++index) {
        const bool dimmed = m_hoveredDay && *m_hoveredDay != static_cast<int>(index);
        m_barOpacities[index]->start(dimmed ? kDimmedBarOpacity : 1.0, adaptive(kHoverFade));
    }
    for (std::size_t index = 0; index < m_tileScales.size(); ++index) {
        const bool swollen = m_hoveredActivity == static_cast<int>(index);
        m_tileScales[index]->start(swollen ? kHoveredTileScale : 1.0, adaptive(kTileSwell));
    }
    setToolTip(target && target->kind == Kind::exportCsv ? QStringLiteral("Export raw session logs to CSV") : QString());
    setCursor(target && target->kind != Kind::dayBar && target->kind != Kind::activityTile ? Qt::PointingHandCursor
                                                                                           : Qt::ArrowCursor);
    update();
}

void InsightsView::activate(const InsightsTarget& target)
{
    switch (target.kind) {
    case Kind::week:
        setRangeDays(7);
        break;
    case Kind::month:
        setRangeDays(30);
        break;
    case Kind::shareRecap:
        if (m_actions.shareRecap)
            m_actions.shareRecap(m_figures.recap(m_analytics.calendar(), m_accent));
        break;
    case Kind::exportCsv:
        if (m_actions.exportCsv)
            m_actions.exportCsv();
        break;
    case Kind::dayBar:
    case Kind::activityTile:
        break;
    }
}

QString InsightsView::dayHoverText() const
{
    if (!m_hoveredDay)
        return QStringLiteral("Hover bars for details");
    const auto& total = m_figures.days[static_cast<std::size_t>(*m_hoveredDay)];
    return dayText(m_analytics.calendar(), total.day, QStringLiteral("dddd, d MMMM"), total.seconds);
}

QString InsightsView::activityHoverText() const
{
    if (!m_hoveredActivity || *m_hoveredActivity >= static_cast<int>(m_figures.activity.size()))
        return QStringLiteral("Hover tiles for calendar activity");
    const auto& total = m_figures.activity[static_cast<std::size_t>(*m_hoveredActivity)];
    return dayText(m_analytics.calendar(), total.day, QStringLiteral("ddd d MMM"), total.seconds);
}

void InsightsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(rect(), m_palette.windowBackground);
    const InsightsLayout layout = this->layout();
    paintTitle(painter, layout);
    paintSummary(painter, layout);
    paintDays(painter, layout);
    paintHours(painter, layout);
    paintSubjects(painter, layout);
    paintActivity(painter, layout);
    paintFooter(painter, layout);
}

void InsightsView::paintTitle(QPainter& painter, const InsightsLayout& layout) const
{
    const QRectF title = layout.title();
    painter.setPen(m_palette.textPrimary);
    painter.setFont(rounded(28, QFont::Bold));
    painter.drawText(QRectF(title.left(), title.top(), title.width() / 2, 36), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Insights"));
    veltrane::SymbolPainter::paint(painter, QPointF(title.left() + 6, title.top() + 47), 11, u"calendar",
        m_palette.textSecondary);
    painter.setPen(m_palette.textSecondary);
    painter.setFont(rounded(12, QFont::Medium));
    painter.drawText(QRectF(title.left() + 16, title.top() + 38, 200, 18), Qt::AlignLeft | Qt::AlignVCenter,
        m_figures.periodTitle());

    // The segmented picker: a track with the chosen segment raised on it.
    const QRectF picker = layout.picker();
    QPainterPath track;
    track.addRoundedRect(picker, 7, 7);
    painter.fillPath(track, m_palette.subtleFill);
    painter.strokePath(track, QPen(withOpacity(m_palette.textPrimary, 0.1), 0.5));
    const int chosen = m_figures.rangeDays == 7 ? 0 : 1;
    for (int index = 0; index < 2; ++index) {
        const QRectF segment = layout.pickerSegment(index);
        if (index == chosen) {
            QPainterPath raised;
            raised.addRoundedRect(segment.adjusted(2, 2, -2, -2), 5, 5);
            painter.fillPath(raised, m_palette.material(veltrane::Material::thin));
            painter.fillPath(raised, withOpacity(m_accent, 0.16));
        }
        painter.setPen(index == chosen ? m_palette.textPrimary : m_palette.textSecondary);
        painter.setFont(rounded(12, index == chosen ? QFont::DemiBold : QFont::Medium));
        painter.drawText(segment, Qt::AlignCenter, index == 0 ? QStringLiteral("Week") : QStringLiteral("Month"));
    }
}

void InsightsView::paintCard(QPainter& painter, const InsightsLayout::Card& card, QStringView symbol,
    const QString& title) const
{
    QPainterPath shape;
    shape.addRoundedRect(card.frame, veltrane::DesignTokens::Radius::tile, veltrane::DesignTokens::Radius::tile);
    veltrane::ShadowPainter::paint(painter, card.frame, kCardShadow,
        [&](QPainter& silhouette) { silhouette.fillPath(shape, Qt::black); });
    painter.fillPath(shape, m_palette.material(veltrane::Material::thin));
    painter.strokePath(shape, QPen(withOpacity(m_palette.textPrimary, 0.1), 0.5));
    if (title.isEmpty())
        return;
    veltrane::SymbolPainter::paint(painter, QPointF(card.header.left() + 8, card.header.center().y()), 14, symbol,
        m_accent);
    painter.setPen(m_palette.textPrimary);
    painter.setFont(rounded(15, QFont::Bold));
    painter.drawText(card.header.adjusted(24, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void InsightsView::paintSummary(QPainter& painter, const InsightsLayout& layout) const
{
    const auto& summary = m_figures.summary;
    struct Entry {
        QString title;
        QString value;
        std::optional<DeltaBadge> delta;
        QColor tint;
        QStringView symbol;
    };
    const Entry entries[] = {
        { QStringLiteral("Focus"), durationLabel(summary.totalFocus), deltaBadge(summary.deltaFraction), m_accent,
            u"clock.fill" },
        { QStringLiteral("Sessions"), QString::number(summary.sessions), std::nullopt, Colors::breakPhase(),
            u"checkmark.circle.fill" },
        { QStringLiteral("Daily avg"), durationLabel(summary.dailyAverage), std::nullopt, m_accent, u"chart.bar.fill" },
        { QStringLiteral("Streak"), m_figures.streak == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(m_figures.streak), std::nullopt, Colors::streak(),
            u"flame.fill" },
    };
    for (std::size_t index = 0; index < std::size(entries); ++index) {
        const auto& entry = entries[index];
        const QRectF frame = layout.summaryCards()[index];
        paintCard(painter, InsightsLayout::Card { frame, {}, {} }, {}, {});
        const QRectF inner = frame.adjusted(14, 14, -14, -14);
        const QRectF circle(inner.left(), inner.top(), 26, 26);
        painter.setPen(Qt::NoPen);
        painter.setBrush(withOpacity(entry.tint, 0.16));
        painter.drawEllipse(circle);
        veltrane::SymbolPainter::paint(painter, circle.center(), 12, entry.symbol, entry.tint);
        if (entry.delta) {
            const QColor color = entry.delta->up ? Colors::breakPhase() : Colors::alert();
            const QFont font = rounded(9, QFont::Bold);
            const double textWidth = QFontMetricsF(font).horizontalAdvance(entry.delta->text);
            const QRectF badge(inner.right() - (textWidth + 12 + 10), circle.center().y() - 8, textWidth + 12 + 10, 16);
            QPainterPath capsule;
            capsule.addRoundedRect(badge, 8, 8);
            painter.fillPath(capsule, withOpacity(color, 0.12));
            veltrane::SymbolPainter::paint(painter, QPointF(badge.left() + 10, badge.center().y()), 8,
                entry.delta->up ? u"arrow.up" : u"arrow.down", color);
            painter.setPen(color);
            painter.setFont(font);
            painter.drawText(badge.adjusted(16, 0, -6, 0), Qt::AlignCenter, entry.delta->text);
        }
        painter.setPen(m_palette.textPrimary);
        painter.setFont(rounded(22, QFont::Bold, true));
        drawElidedText(painter, QRectF(inner.left(), circle.bottom() + 6, inner.width(), 28), Qt::AlignLeft | Qt::AlignVCenter,
            entry.value);
        painter.setPen(m_palette.textSecondary);
        painter.setFont(rounded(11, QFont::Medium));
        painter.drawText(QRectF(inner.left(), circle.bottom() + 36, inner.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
            entry.title);
    }
}

void InsightsView::paintDays(QPainter& painter, const InsightsLayout& layout) const
{
    paintCard(painter, layout.days(), u"chart.bar.fill", QStringLiteral("Focus per day"));
    painter.setPen(m_hoveredDay ? m_palette.textPrimary : m_palette.textTertiary);
    painter.setFont(rounded(12, m_hoveredDay ? QFont::DemiBold : QFont::Medium));
    painter.drawText(layout.dayHoverLine(), Qt::AlignLeft | Qt::AlignVCenter, dayHoverText());

    double top = 1;
    for (const auto& total : m_figures.days)
        top = std::max(top, total.seconds);
    const QRectF chart = layout.dayChart();
    painter.setFont(rounded(8, QFont::DemiBold));
    for (int step = 3; step >= 1; --step) {
        const double y = chart.bottom() - chart.height() * step / 3;
        painter.fillRect(QRectF(chart.left(), y, chart.width(), 0.5), withOpacity(m_palette.textPrimary, 0.12));
        painter.setPen(m_palette.textTertiary);
        painter.drawText(QRectF(chart.right() + 6, y - 8, M::axisLabelWidth - 6, 16), Qt::AlignLeft | Qt::AlignVCenter,
            durationLabel(top * step / 3));
    }
    for (int index = 0; index < static_cast<int>(m_figures.days.size()); ++index) {
        const auto& total = m_figures.days[static_cast<std::size_t>(index)];
        const QRectF track = layout.dayBar(index, 1);
        const QRectF bar = layout.dayBar(index, m_barHeights[static_cast<std::size_t>(index)]->value());
        const double radius = bar.width() / 2;
        QPainterPath trackPath;
        trackPath.addRoundedRect(track, radius, radius);
        // The shortest bar is lower than it is wide: round it as a capsule lying down.
        const double barRadius = std::min(radius, bar.height() / 2);
        painter.fillPath(trackPath, m_palette.subtleFill);
        painter.save();
        painter.setOpacity(m_barOpacities[static_cast<std::size_t>(index)]->value());
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, m_accent);
        fill.setColorAt(1, withOpacity(m_accent, 0.65));
        QPainterPath barPath;
        barPath.addRoundedRect(bar, barRadius, barRadius);
        painter.fillPath(barPath, fill);
        painter.restore();
        painter.setPen(m_palette.textSecondary);
        painter.setFont(rounded(9, QFont::Bold));
        const QRectF slot = layout.daySlot(index);
        painter.drawText(QRectF(slot.left(), chart.bottom() + 2, slot.width(), M::dayLetterHeight - 2), Qt::AlignCenter,
            weekdayLetter(m_analytics.calendar(), total.day));
    }
}

void InsightsView::paintHours(QPainter& painter, const InsightsLayout& layout) const
{
    paintCard(painter, layout.hours(), u"clock.fill", QStringLiteral("When you focus best"));
    const QRectF peakLine = layout.peakLine();
    if (m_figures.peakLabel) {
        veltrane::SymbolPainter::paint(painter, QPointF(peakLine.left() + 6, peakLine.center().y()), 12, u"sun.max.fill",
            m_accent);
        painter.setPen(m_accent);
        painter.setFont(rounded(13, QFont::Bold));
        painter.drawText(peakLine.adjusted(18, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("Peak · ") + *m_figures.peakLabel);
    } else {
        painter.setPen(m_palette.textTertiary);
        painter.setFont(rounded(12, QFont::Medium));
        painter.drawText(peakLine, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("No data to calculate peak time"));
    }

    const QRectF chart = layout.hourChart();
    const std::span<const double> hours(m_figures.hours);
    QLinearGradient fill(chart.topLeft(), chart.bottomLeft());
    fill.setColorAt(0, withOpacity(m_accent, 0.3));
    fill.setColorAt(1, withOpacity(m_accent, 0.01));
    painter.fillPath(ChartShapes::area(hours, chart), fill);
    QPen line(m_accent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.strokePath(ChartShapes::line(hours, chart), line);
    if (m_figures.peakHour) {
        const QPointF dot = ChartShapes::point(hours, static_cast<std::size_t>(*m_figures.peakHour), chart);
        painter.fillRect(QRectF(dot.x() - 0.5, chart.top(), 1, chart.height()), withOpacity(m_accent, 0.4));
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(m_accent);
        painter.drawEllipse(dot, 4, 4);
    }
    painter.setPen(m_palette.textTertiary);
    painter.setFont(rounded(9, QFont::DemiBold));
    const QRectF axis = layout.hourAxis();
    painter.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("12 AM"));
    painter.drawText(axis, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("12 PM"));
    painter.drawText(axis, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("11 PM"));
}

void InsightsView::paintSubjects(QPainter& painter, const InsightsLayout& layout) const
{
    paintCard(painter, layout.subjects(), u"tag.fill", QStringLiteral("By subject"));
    double top = 1;
    for (const auto& subject : m_figures.subjects)
        top = std::max(top, subject.seconds);
    for (std::size_t index = 0; index < m_figures.subjects.size(); ++index) {
        const auto& subject = m_figures.subjects[index];
        const QRectF row = layout.subjectRow(static_cast<int>(index));
        const QColor color = subjectColor(index);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QPointF(row.left() + 4, row.center().y()), 4, 4);
        painter.setPen(m_palette.textPrimary);
        painter.setFont(rounded(12, QFont::DemiBold));
        drawElidedText(painter, QRectF(row.left() + 16, row.top(), M::subjectNameWidth, row.height()),
            Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(subject.subject));
        const QRectF track(row.left() + 16 + M::subjectNameWidth + 8, row.center().y() - 4,
            row.width() - 16 - M::subjectNameWidth - 16 - M::subjectValueWidth, 8);
        QPainterPath trackPath;
        trackPath.addRoundedRect(track, 4, 4);
        painter.fillPath(trackPath, m_palette.subtleFill);
        QPainterPath fillPath;
        fillPath.addRoundedRect(QRectF(track.topLeft(), QSizeF(std::max(subject.seconds / top * track.width(), 8.0), 8)), 4, 4);
        painter.fillPath(fillPath, color);
        painter.setPen(m_palette.textPrimary);
        painter.setFont(rounded(11, QFont::Bold, true));
        painter.drawText(QRectF(row.right() - M::subjectValueWidth, row.top(), M::subjectValueWidth, row.height()),
            Qt::AlignRight | Qt::AlignVCenter, durationLabel(subject.seconds));
    }
}

void InsightsView::paintActivity(QPainter& painter, const InsightsLayout& layout) const
{
    paintCard(painter, layout.activity(), u"calendar", QStringLiteral("Activity"));
    painter.setPen(m_hoveredActivity ? m_palette.textPrimary : m_palette.textTertiary);
    painter.setFont(rounded(12, m_hoveredActivity ? QFont::DemiBold : QFont::Medium));
    painter.drawText(layout.activityHoverLine(), Qt::AlignLeft | Qt::AlignVCenter, activityHoverText());
    const auto tileColor = [&](double opacity, bool empty) {
        return empty ? withOpacity(m_palette.textPrimary, kEmptyActivityOpacity) : withOpacity(m_accent, opacity);
    };
    for (int index = 0; index < static_cast<int>(m_figures.activity.size()); ++index) {
        const double seconds = m_figures.activity[static_cast<std::size_t>(index)].seconds;
        QRectF tile = layout.activityTile(index);
        const bool hovered = m_hoveredActivity == index;
        const double scale = m_tileScales[static_cast<std::size_t>(index)]->value();
        tile = QRectF(tile.center() - QPointF(tile.width(), tile.height()) * scale / 2, tile.size() * scale);
        QPainterPath shape;
        shape.addRoundedRect(tile, 4, 4);
        painter.fillPath(shape, tileColor(activityOpacity(seconds, m_figures.goal), seconds <= 0));
        if (hovered)
            painter.strokePath(shape, QPen(m_palette.textPrimary, 1.5));
    }
    const QRectF legend = layout.legend();
    painter.setFont(rounded(9, QFont::DemiBold));
    painter.setPen(m_palette.textTertiary);
    const double less = QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral("Less"));
    painter.drawText(QRectF(legend.left(), legend.top(), less, legend.height()), Qt::AlignVCenter, QStringLiteral("Less"));
    const double samples[] = { 0, 0.25, 0.5, 0.75, 1 };
    double x = legend.left() + less + 6;
    for (const double share : samples) {
        QPainterPath square;
        square.addRoundedRect(QRectF(x, legend.center().y() - 5, 10, 10), 2, 2);
        painter.fillPath(square, tileColor(activityOpacity(share * m_figures.goal, 1.0 * m_figures.goal), share == 0));
        x += 14;
    }
    painter.drawText(QRectF(x + 2, legend.top(), 60, legend.height()), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("More"));
}

void InsightsView::paintFooter(QPainter& painter, const InsightsLayout& layout) const
{
    const auto button = [&](const QRectF& rect, QStringView symbol, const QString& title, Kind kind) {
        const bool hovered = m_hovered && m_hovered->kind == kind;
        QPainterPath shape;
        shape.addRoundedRect(rect, 9, 9);
        painter.fillPath(shape, withOpacity(m_accent, hovered ? 0.22 : 0.12));
        painter.strokePath(shape, QPen(withOpacity(m_accent, 0.3), 0.5));
        const QFont font = rounded(12, QFont::DemiBold);
        const double textWidth = QFontMetricsF(font).horizontalAdvance(title);
        const double start = rect.center().x() - (textWidth + 20) / 2;
        veltrane::SymbolPainter::paint(painter, QPointF(start + 6, rect.center().y()), 12, symbol, m_accent);
        painter.setPen(m_palette.textPrimary);
        painter.setFont(font);
        painter.drawText(QRectF(start + 20, rect.top(), textWidth + 2, rect.height()), Qt::AlignLeft | Qt::AlignVCenter, title);
    };
    button(layout.shareButton(), u"square.and.arrow.up", QStringLiteral("Share recap"), Kind::shareRecap);
    button(layout.exportButton(), u"tablecells", QStringLiteral("Export CSV"), Kind::exportCsv);
    const QRectF privacy = layout.privacyLine();
    veltrane::SymbolPainter::paint(painter, QPointF(privacy.left() + 6, privacy.center().y()), 11, u"lock.shield.fill",
        m_palette.textTertiary);
    painter.setPen(m_palette.textTertiary);
    painter.setFont(rounded(11, QFont::Normal));
    painter.drawText(privacy.adjusted(18, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Your data stays on this computer."));
}

void InsightsView::mouseMoveEvent(QMouseEvent* event)
{
    const auto target = layout().hitTest(event->position());
    if (target != m_hovered)
        setHovered(target);
}

void InsightsView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto target = layout().hitTest(event->position()))
        activate(*target);
}

void InsightsView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    setHovered(std::nullopt);
}

} // namespace moorlet
