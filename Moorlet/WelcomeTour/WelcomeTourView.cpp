#include "Moorlet/WelcomeTour/WelcomeTourView.h"

#include "Moorlet/Views/ReduceMotion.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cassert>

namespace moorlet {

namespace {

namespace Metrics = WelcomeTourMetrics;
namespace Spacing = veltrane::DesignTokens::Spacing;
using Kind = WelcomeTourTarget::Kind;
using veltrane::Animation;
using veltrane::TypeStyle;

const auto kHeroChange = Animation::easeInOut(0.35);
const auto kContentChange = Animation::spring(0.4, 0.85);
const auto kDotChange = Animation::spring(0.3, 0.8);

constexpr TypeStyle kTitleStyle { 22, QFont::Bold, veltrane::FontDesign::rounded };
constexpr TypeStyle kBodyStyle { 13, QFont::Normal };
constexpr TypeStyle kPointStyle { 12, QFont::Normal };
constexpr TypeStyle kNumberStyle { 11, QFont::Bold };
constexpr TypeStyle kButtonStyle { 13, QFont::DemiBold, veltrane::FontDesign::rounded };
constexpr double kSymbolSize = 52;
// The hero's gradient starts from the tint at this opacity.
constexpr double kGradientStartOpacity = 0.65;
const veltrane::ShadowStyle kSymbolShadow { QColor::fromRgbF(0, 0, 0, 0.2), 10, {} };

// The hero's soft circles: diameter, opacity, and centre as a share of the hero's size.
struct HeroCircle {
    double diameter;
    double opacity;
    double x;
    double y;
};
constexpr HeroCircle kHeroCircles[] {
    { 120, 0.12, 0.86, 0.18 },
    { 40, 0.1, 0.14, 0.78 },
    { 120, 0.08, 0.2, 1.05 },
};

constexpr double kTitleGap = Spacing::xs;
constexpr double kBodyGap = Spacing::md;
constexpr double kPointGap = Spacing::xs;
constexpr double kNumberDiameter = 20;
constexpr double kNumberGap = 10;
// Opacity of the dots of the other pages, in the secondary colour.
constexpr double kOtherDotOpacity = 0.25;
// The content of a new page comes in from this far to the side.
constexpr double kContentSlide = 24;
// A hovered button lightens by this share.
constexpr int kHoverLightness = 112;

QString buttonText(Kind kind)
{
    switch (kind) {
    case Kind::skip:
        return QStringLiteral("Skip");
    case Kind::back:
        return QStringLiteral("Back");
    case Kind::next:
        return QStringLiteral("Next");
    case Kind::tryDemo:
        return QStringLiteral("Try a 25-second focus");
    case Kind::dot:
        break;
    }
    return {};
}

double textHeight(const TypeStyle& style, double width, const QString& text)
{
    return QFontMetricsF(style.font())
        .boundingRect(QRectF(0, 0, width, 0), Qt::TextWordWrap, text)
        .height();
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

QColor blend(const QColor& from, const QColor& to, double amount)
{
    const double t = std::clamp(amount, 0.0, 1.0);
    const auto mix = [t](float a, float b) { return static_cast<float>(a + (b - a) * t); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
        mix(from.blueF(), to.blueF()), mix(from.alphaF(), to.alphaF()));
}

double opacityOf(double progress)
{
    return std::clamp(progress, 0.0, 1.0);
}

} // namespace

WelcomeTourView::WelcomeTourView(
    veltrane::FrameTicker& ticker, const ReduceMotion& reduceMotion, QColor accent, Actions actions)
    : m_ticker(ticker)
    , m_reduceMotion(reduceMotion)
    , m_accent(accent)
    , m_actions(std::move(actions))
    , m_heroFade(ticker, 1.0)
    , m_contentIn(ticker, 1.0)
{
    const auto repaintNow = [this] {
        if (repaint)
            repaint();
    };
    m_heroFade.onFrame = repaintNow;
    m_contentIn.onFrame = repaintNow;
    for (std::size_t index = 0; index < steps().size(); ++index) {
        m_dotWidths.push_back(std::make_unique<veltrane::AnimatedValue<double>>(
            ticker, index == 0 ? Metrics::currentDotWidth : Metrics::dotWidth));
        m_dotWidths.back()->onFrame = repaintNow;
    }
}

WelcomeTourView::~WelcomeTourView() = default;

void WelcomeTourView::goTo(int step)
{
    const int last = static_cast<int>(steps().size()) - 1;
    step = std::clamp(step, 0, last);
    if (step == m_step)
        return;
    const bool reduce = m_reduceMotion.isOn();
    m_previousStep = m_step;
    m_direction = step > m_step ? 1 : -1;
    m_slide = reduce ? 0 : kContentSlide;
    m_step = step;
    m_heroFade.start(0.0, 1.0, veltrane::Motion::adaptive(kHeroChange, reduce));
    m_contentIn.start(0.0, 1.0, veltrane::Motion::adaptive(kContentChange, reduce));
    for (std::size_t index = 0; index < m_dotWidths.size(); ++index) {
        const double width = static_cast<int>(index) == step ? Metrics::currentDotWidth : Metrics::dotWidth;
        m_dotWidths[index]->start(width, veltrane::Motion::adaptive(kDotChange, reduce));
    }
    if (repaint)
        repaint();
}

void WelcomeTourView::reset()
{
    m_step = 0;
    m_previousStep = 0;
    m_heroFade.jumpTo(1.0);
    m_contentIn.jumpTo(1.0);
    for (std::size_t index = 0; index < m_dotWidths.size(); ++index)
        m_dotWidths[index]->jumpTo(index == 0 ? Metrics::currentDotWidth : Metrics::dotWidth);
    m_hovered.reset();
    if (repaint)
        repaint();
}

void WelcomeTourView::setAccent(const QColor& accent)
{
    if (accent == m_accent)
        return;
    m_accent = accent;
    if (repaint)
        repaint();
}

bool WelcomeTourView::isAnimating() const
{
    return m_heroFade.animating() || m_contentIn.animating()
        || std::any_of(m_dotWidths.begin(), m_dotWidths.end(),
            [](const auto& width) { return width->animating(); });
}

WelcomeTourLayout WelcomeTourView::layout(QSizeF size) const
{
    const auto left = m_step == 0 ? Kind::skip : Kind::back;
    return WelcomeTourLayout(size, static_cast<int>(steps().size()), m_step, buttonTextWidth(left));
}

double WelcomeTourView::buttonTextWidth(Kind kind)
{
    return QFontMetricsF(kButtonStyle.font()).horizontalAdvance(buttonText(kind));
}

std::optional<WelcomeTourTarget> WelcomeTourView::hitTest(QSizeF size, QPointF point) const
{
    return layout(size).hitTest(point);
}

void WelcomeTourView::setHovered(const std::optional<WelcomeTourTarget>& target)
{
    if (target == m_hovered)
        return;
    m_hovered = target;
    if (repaint)
        repaint();
}

void WelcomeTourView::activate(const WelcomeTourTarget& target)
{
    switch (target.kind) {
    case Kind::skip:
        if (m_actions.finish)
            m_actions.finish();
        break;
    case Kind::back:
        goTo(m_step - 1);
        break;
    case Kind::next:
        goTo(m_step + 1);
        break;
    case Kind::tryDemo:
        if (m_actions.tryDemo)
            m_actions.tryDemo();
        break;
    case Kind::dot:
        goTo(target.index);
        break;
    }
}

bool WelcomeTourView::pressKey(int key)
{
    const bool last = m_step == static_cast<int>(steps().size()) - 1;
    switch (key) {
    case Qt::Key_Left:
        goTo(m_step - 1);
        return true;
    case Qt::Key_Right:
        goTo(m_step + 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate({ last ? Kind::tryDemo : Kind::next });
        return true;
    case Qt::Key_Escape:
        activate({ Kind::skip });
        return true;
    default:
        return false;
    }
}

std::vector<double> WelcomeTourView::dotWidths() const
{
    std::vector<double> widths;
    widths.reserve(m_dotWidths.size());
    for (const auto& width : m_dotWidths)
        widths.push_back(width->value());
    return widths;
}

WelcomeTourView::ContentBlocks WelcomeTourView::contentBlocks(int step, const QRectF& content) const
{
    const auto& page = steps()[static_cast<std::size_t>(step)];
    ContentBlocks blocks;
    double y = content.top();
    blocks.title = QRectF(content.left(), y, content.width(), QFontMetricsF(kTitleStyle.font()).height());
    y = blocks.title.bottom() + kTitleGap;
    blocks.body = QRectF(content.left(), y, content.width(), textHeight(kBodyStyle, content.width(), page.body));
    y = blocks.body.bottom() + kBodyGap;
    const double textLeft = content.left() + kNumberDiameter + kNumberGap;
    const double textWidth = content.right() - textLeft;
    for (const auto& point : page.checklist) {
        const double height = std::max(kNumberDiameter, textHeight(kPointStyle, textWidth, point));
        blocks.numbers.emplace_back(content.left(), y + (height - kNumberDiameter) / 2, kNumberDiameter, kNumberDiameter);
        blocks.points.emplace_back(textLeft, y, textWidth, height);
        y += height + kPointGap;
    }
    return blocks;
}

double WelcomeTourView::contentBottom(int step, const QRectF& content) const
{
    const auto blocks = contentBlocks(step, content);
    return blocks.points.empty() ? blocks.body.bottom() : blocks.points.back().bottom();
}

void WelcomeTourView::paint(QPainter& painter, const QRectF& bounds, const ViewPalette& palette) const
{
    painter.save();
    painter.translate(bounds.topLeft());
    const QSizeF size = bounds.size();
    painter.fillRect(QRectF(QPointF(), size), palette.windowBackground);
    const auto geometry = layout(size);

    // The hero crossfades from the page before; the content comes in from the side it moves to.
    const double heroFade = opacityOf(m_heroFade.value());
    if (heroFade < 1)
        paintHero(painter, geometry.hero(), m_previousStep);
    painter.setOpacity(heroFade);
    paintHero(painter, geometry.hero(), m_step);
    painter.setOpacity(1);

    const QRectF contentArea(0, geometry.hero().bottom(), size.width(),
        geometry.content().bottom() + Metrics::contentPadding - geometry.hero().bottom());
    painter.save();
    painter.setClipRect(contentArea);
    const double contentIn = m_contentIn.value();
    if (contentIn < 1) {
        // The page before leaves in the first half of the move.
        painter.setOpacity(opacityOf(1 - 2 * contentIn));
        paintContent(painter, geometry.content().translated(-m_direction * m_slide * contentIn, 0), m_previousStep, palette);
    }
    painter.setOpacity(opacityOf(contentIn));
    paintContent(painter, geometry.content().translated(m_direction * m_slide * (1 - contentIn), 0), m_step, palette);
    painter.restore();

    paintControls(painter, geometry, palette);
    painter.restore();
}

void WelcomeTourView::paintHero(QPainter& painter, const QRectF& rect, int step) const
{
    const auto& page = steps()[static_cast<std::size_t>(step)];
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, withOpacity(page.tint, kGradientStartOpacity));
    gradient.setColorAt(1, page.tint);
    painter.fillRect(rect, gradient);

    painter.save();
    painter.setClipRect(rect);
    painter.setPen(Qt::NoPen);
    for (const auto& circle : kHeroCircles) {
        painter.setBrush(withOpacity(Qt::white, circle.opacity));
        const QPointF centre(rect.left() + rect.width() * circle.x, rect.top() + rect.height() * circle.y);
        painter.drawEllipse(centre, circle.diameter / 2, circle.diameter / 2);
    }
    painter.restore();

    const QPointF centre = rect.center();
    const QRectF symbol = veltrane::SymbolPainter::box(centre, kSymbolSize);
    veltrane::ShadowPainter::paint(painter, symbol, kSymbolShadow, [&](QPainter& silhouette) {
        veltrane::SymbolPainter::paint(silhouette, centre, kSymbolSize, page.icon, Qt::black);
    });
    veltrane::SymbolPainter::paint(painter, centre, kSymbolSize, page.icon, Qt::white);
}

void WelcomeTourView::paintContent(
    QPainter& painter, const QRectF& rect, int step, const ViewPalette& palette) const
{
    const auto& page = steps()[static_cast<std::size_t>(step)];
    const auto blocks = contentBlocks(step, rect);
    painter.setFont(kTitleStyle.font());
    painter.setPen(palette.textPrimary);
    painter.drawText(blocks.title, Qt::AlignLeft | Qt::AlignVCenter, page.title);
    painter.setFont(kBodyStyle.font());
    painter.setPen(palette.textSecondary);
    painter.drawText(blocks.body, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, page.body);

    for (std::size_t index = 0; index < blocks.points.size(); ++index) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(page.tint);
        painter.drawEllipse(blocks.numbers[index]);
        painter.setFont(kNumberStyle.font());
        painter.setPen(Qt::white);
        painter.drawText(blocks.numbers[index], Qt::AlignCenter, QString::number(index + 1));
        painter.setFont(kPointStyle.font());
        painter.setPen(palette.textPrimary);
        painter.drawText(blocks.points[index], Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
            page.checklist[static_cast<qsizetype>(index)]);
    }
}

void WelcomeTourView::paintControls(
    QPainter& painter, const WelcomeTourLayout& layout, const ViewPalette& palette) const
{
    const auto& tint = steps()[static_cast<std::size_t>(m_step)].tint;
    painter.setFont(kButtonStyle.font());

    const auto left = layout.leftTarget();
    painter.setPen(m_hovered == left ? palette.textPrimary : palette.textSecondary);
    painter.drawText(layout.leftButton(), Qt::AlignCenter, buttonText(left.kind));

    // Each dot takes the tint as it grows into the current page's.
    const auto widths = dotWidths();
    const auto dots = layout.dots(widths);
    const QColor other = withOpacity(palette.textSecondary, kOtherDotOpacity);
    painter.setPen(Qt::NoPen);
    for (std::size_t index = 0; index < dots.size(); ++index) {
        const double presence = (widths[index] - Metrics::dotWidth) / (Metrics::currentDotWidth - Metrics::dotWidth);
        painter.setBrush(blend(other, tint, presence));
        painter.drawRoundedRect(dots[index], Metrics::dotHeight / 2, Metrics::dotHeight / 2);
    }

    const auto right = layout.rightTarget();
    const QColor fill = m_hovered == right ? m_accent.lighter(kHoverLightness) : m_accent;
    painter.setBrush(fill);
    painter.drawRoundedRect(layout.rightButton(), veltrane::DesignTokens::Radius::small,
        veltrane::DesignTokens::Radius::small);
    painter.setPen(Qt::white);
    painter.drawText(layout.rightButton(), Qt::AlignCenter, buttonText(right.kind));
}

} // namespace moorlet
