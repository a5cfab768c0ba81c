#include "Moorlet/Views/AmbientView.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::withOpacity;
namespace Typography = veltrane::DesignTokens::Typography;

using veltrane::ColorContrast::contentOn;
using veltrane::ColorContrast::readableShade;
namespace Contrast = veltrane::DesignTokens::Contrast;

constexpr double kChipPaddingX = 10;
constexpr double kSymbolSize = 11;
constexpr double kSymbolGap = 4;
constexpr double kStrokeWidth = 0.5;
// A playing sound's chip stands this far apart from the card: above the 3:1 of a control's state,
// with room for what the estimate of the card's colour leaves out (the material's rounding, a
// glow reaching down the card).
constexpr double kSelectedContrast = 3.5;
// The arrows that page the chips: a small disc of the card's colour at each end of the band.
constexpr double kArrowDiameter = 20;
constexpr double kArrowSymbolSize = 10;
constexpr double kArrowFillOpacity = 0.92;
// A page leaves the chips at the faded edges in sight.
const veltrane::Animation kPageScroll = veltrane::Animation::easeOut(0.3);
constexpr double kTrackHeight = 4;
constexpr double kKnobDiameter = 12;
constexpr double kSpeakerWidth = 16;
constexpr double kSpeakerGap = 6;
// One notch of a mouse wheel (120 units) moves the chips this far.
constexpr double kPointsPerWheelNotch = 40;

QString importSymbol()
{
    return QStringLiteral("plus");
}

} // namespace

AmbientView::AmbientView(ViewContext& context)
    : m_context(context)
    , m_scroll(context.ticker, 0.0)
{
}

int AmbientView::chipCount() const
{
    const int sounds = m_context.ambient ? static_cast<int>(m_context.ambient->sounds().size()) : 0;
    return sounds + 1;
}

double AmbientView::chipWidth(int index) const
{
    QString name = CardTexts::kImportSounds;
    if (m_context.ambient && index < static_cast<int>(m_context.ambient->sounds().size()))
        name = QString::fromStdString(m_context.ambient->sounds()[static_cast<std::size_t>(index)].name);
    auto known = m_nameWidths.constFind(name);
    if (known == m_nameWidths.constEnd()) {
        // Imported sounds come and go: the cache never holds more than a few hundred names.
        if (m_nameWidths.size() > 512)
            m_nameWidths.clear();
        const double advance = QFontMetricsF(Typography::secondary().font()).horizontalAdvance(name);
        known = m_nameWidths.insert(name, advance);
    }
    return std::ceil(2 * kChipPaddingX + kSymbolSize + kSymbolGap + *known);
}

double AmbientView::contentWidth() const
{
    double width = 0;
    for (int i = 0; i < chipCount(); ++i)
        width += chipWidth(i) + (i > 0 ? kChipSpacing : 0);
    return width;
}

QRectF AmbientView::chipsArea(const QRectF& row) const
{
    return { row.left(), row.top(), row.width(), kChipHeight };
}

QRectF AmbientView::chipRect(const QRectF& row, int index) const
{
    double x = row.left() - m_scroll.value();
    for (int i = 0; i < index; ++i)
        x += chipWidth(i) + kChipSpacing;
    return { x, row.top(), chipWidth(index), kChipHeight };
}

QRectF AmbientView::sliderRect(const QRectF& row) const
{
    const double left = row.left() + kSpeakerWidth + kSpeakerGap;
    return { left, row.top() + kChipHeight + kLevelGap, row.right() - left, kLevelHeight };
}

double AmbientView::level() const
{
    const double value = m_context.controller.settings().masterVolume();
    return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
}

std::optional<std::pair<std::string, QString>> AmbientView::userSound(int index) const
{
    if (!m_context.ambient || index < 0 || index >= static_cast<int>(m_context.ambient->sounds().size()))
        return std::nullopt;
    const veltrane::Sound& sound = m_context.ambient->sounds()[static_cast<std::size_t>(index)];
    if (!m_context.ambient->userURLs().contains(sound.id))
        return std::nullopt;
    return std::pair { sound.id, QString::fromStdString(sound.name) };
}

void AmbientView::paint(QPainter& painter, const QRectF& row, const QRectF& card) const
{
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintChips(painter, row, card);
    for (const Direction direction : { Direction::back, Direction::forward }) {
        if (canScroll(row, direction))
            paintArrow(painter, row, direction);
    }

    const QRectF slider = sliderRect(row);
    veltrane::SymbolPainter::paint(painter, QPointF(row.left() + kSpeakerWidth / 2, slider.center().y()), kSymbolSize,
        QStringLiteral("speaker.wave.3.fill"), palette.textTertiary);
    const QRectF track(slider.left(), slider.center().y() - kTrackHeight / 2, slider.width(), kTrackHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.subtleFill);
    painter.drawRoundedRect(track, kTrackHeight / 2, kTrackHeight / 2);
    QRectF filled = track;
    filled.setWidth(std::max(kTrackHeight, track.width() * level()));
    painter.setBrush(accent);
    painter.drawRoundedRect(filled, kTrackHeight / 2, kTrackHeight / 2);
    const QPointF knob(track.left() + track.width() * level(), track.center().y());
    painter.setBrush(Qt::white);
    painter.setPen(QPen(palette.textTertiary, kStrokeWidth));
    painter.drawEllipse(knob, kKnobDiameter / 2, kKnobDiameter / 2);
    painter.restore();
}

void AmbientView::paintChips(QPainter& painter, const QRectF& row, const QRectF& card) const
{
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    const QRectF area = chipsArea(row);
    // The chips stand out from the card's colour at the row (which a playing scene tints).
    const QColor backdrop = m_context.backdrop(card, area.center());
    const int sounds = chipCount() - 1;
    QStringList active;
    for (int i = 0; i < sounds; ++i) {
        const veltrane::Sound& sound = m_context.ambient->sounds()[static_cast<std::size_t>(i)];
        active.append(QString::fromStdString(sound.id) + (m_context.ambient->isActive(sound.id) ? u'+' : u'-'));
    }
    const bool fadeBack = canScroll(row, Direction::back);
    const bool fadeForward = canScroll(row, Direction::forward);
    const QByteArray key = layerKey(m_scroll.value(), active, accent.rgba(), backdrop.rgba(), palette.textPrimary.rgba(),
        palette.textSecondary.rgba(), palette.subtleFill.rgba(), fadeBack, fadeForward);
    m_chipsLayer.draw(painter, area, key, [&](QPainter& layer) {
        layer.setRenderHint(QPainter::Antialiasing);
        layer.translate(-area.topLeft());
        const QFont font = Typography::secondary().font();
        for (int i = 0; i <= sounds; ++i) {
            const QRectF chip = chipRect(row, i);
            if (chip.right() < area.left() || chip.left() > area.right())
                continue;
            QString name = CardTexts::kImportSounds;
            QString symbol = importSymbol();
            bool selected = false;
            QColor tint = accent;
            if (i < sounds) {
                const veltrane::Sound& sound = m_context.ambient->sounds()[static_cast<std::size_t>(i)];
                name = QString::fromStdString(sound.name);
                symbol = QString::fromStdString(sound.icon);
                selected = m_context.ambient->isActive(sound.id);
                tint = AmbientController::tint(sound).value_or(accent);
            }
            // A playing sound's chip is filled with its tint, made deep or light enough to stand
            // out from the card (a white-noise tint on a light card would all but vanish).
            const QColor fill = selected ? readableShade(tint, backdrop, kSelectedContrast) : palette.subtleFill;
            const QColor content = selected ? contentOn(fill, Contrast::text) : palette.textSecondary;
            const double radius = chip.height() / 2;
            const double inset = kStrokeWidth / 2;
            layer.setPen(QPen(selected ? fill : palette.subtleFill, kStrokeWidth));
            layer.setBrush(fill);
            layer.drawRoundedRect(chip.adjusted(inset, inset, -inset, -inset), radius, radius);
            const QPointF symbolCenter(chip.left() + kChipPaddingX + kSymbolSize / 2, chip.center().y());
            veltrane::SymbolPainter::paint(layer, symbolCenter, kSymbolSize, symbol, content);
            layer.setPen(content);
            layer.setFont(font);
            const double textLeft = symbolCenter.x() + kSymbolSize / 2 + kSymbolGap;
            layer.drawText(QRectF(textLeft, chip.top(), chip.right() - kChipPaddingX - textLeft, chip.height()),
                Qt::AlignLeft | Qt::AlignVCenter, name);
        }
        // The chips fade out towards an edge the row goes on beyond, rather than being cut off.
        if (fadeBack || fadeForward) {
            QLinearGradient fade(area.left(), 0, area.right(), 0);
            const double edge = std::min(0.5, kFadeWidth / area.width());
            fade.setColorAt(0, fadeBack ? Qt::transparent : Qt::black);
            fade.setColorAt(edge, Qt::black);
            fade.setColorAt(1 - edge, Qt::black);
            fade.setColorAt(1, fadeForward ? Qt::transparent : Qt::black);
            layer.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            layer.fillRect(area, fade);
        }
    });
}

void AmbientView::paintArrow(QPainter& painter, const QRectF& row, Direction direction) const
{
    const ViewPalette& palette = m_context.palette;
    const QRectF disc = arrowRect(row, direction);
    painter.save();
    painter.setPen(QPen(palette.textTertiary, kStrokeWidth));
    painter.setBrush(withOpacity(palette.windowBackground, kArrowFillOpacity));
    painter.drawEllipse(disc.adjusted(kStrokeWidth / 2, kStrokeWidth / 2, -kStrokeWidth / 2, -kStrokeWidth / 2));
    // The catalogue's upward chevron, turned to point along the row.
    painter.translate(disc.center());
    painter.rotate(direction == Direction::back ? -90 : 90);
    veltrane::SymbolPainter::paint(painter, QPointF(0, 0), kArrowSymbolSize, QStringLiteral("chevron.compact.up"),
        palette.textPrimary);
    painter.restore();
}

std::optional<CardTarget> AmbientView::hitTest(const QRectF& row, QPointF point) const
{
    if (chipsArea(row).contains(point)) {
        for (const auto& [direction, kind] :
            { std::pair { Direction::back, CardTarget::Kind::chipsBack }, { Direction::forward, CardTarget::Kind::chipsForward } }) {
            if (canScroll(row, direction) && arrowRect(row, direction).contains(point))
                return CardTarget { kind };
        }
        for (int i = 0; i < chipCount(); ++i) {
            if (chipRect(row, i).contains(point)) {
                if (i == chipCount() - 1)
                    return CardTarget { CardTarget::Kind::importSounds };
                return CardTarget { CardTarget::Kind::soundChip, i };
            }
        }
        return CardTarget { CardTarget::Kind::chipRow };
    }
    const QRectF slider = sliderRect(row).adjusted(-kKnobDiameter / 2, 0, kKnobDiameter / 2, 0);
    if (slider.contains(point))
        return CardTarget { CardTarget::Kind::volume };
    return std::nullopt;
}

void AmbientView::activate(const QRectF& row, const CardTarget& target)
{
    if (!m_context.ambient)
        return;
    if (target.kind == CardTarget::Kind::chipsBack || target.kind == CardTarget::Kind::chipsForward) {
        // A page is the band less its faded edges, so that the chips half hidden there come
        // into full sight.
        const double page = std::max(kChipHeight, row.width() - 2 * kFadeWidth);
        const double step = target.kind == CardTarget::Kind::chipsBack ? -page : page;
        scrollTo(row, m_scroll.target() + step, true);
        return;
    }
    if (target.kind == CardTarget::Kind::importSounds) {
        m_context.ambient->importSounds();
        return;
    }
    if (target.kind != CardTarget::Kind::soundChip)
        return;
    const auto& sounds = m_context.ambient->sounds();
    if (target.index < 0 || target.index >= static_cast<int>(sounds.size()))
        return;
    // A copy: toggling may rebuild the list.
    const veltrane::Sound sound = sounds[static_cast<std::size_t>(target.index)];
    m_context.ambient->toggle(sound);
}

void AmbientView::dragVolume(const QRectF& row, double x)
{
    const QRectF slider = sliderRect(row);
    if (slider.width() <= 0)
        return;
    const double value = std::clamp((x - slider.left()) / slider.width(), 0.0, 1.0);
    m_context.controller.settings().setMasterVolume(value);
    if (m_context.ambient)
        m_context.ambient->mixer().setMasterVolume(static_cast<float>(value));
    m_context.repaint();
}

double AmbientView::scrollLimit(const QRectF& row) const
{
    return std::max(0.0, contentWidth() - row.width());
}

bool AmbientView::canScroll(const QRectF& row, Direction direction) const
{
    // Half a point either way is rounding, not a chip out of sight.
    constexpr double kSlack = 0.5;
    return direction == Direction::back ? m_scroll.value() > kSlack : m_scroll.value() < scrollLimit(row) - kSlack;
}

QRectF AmbientView::arrowRect(const QRectF& row, Direction direction) const
{
    const QRectF area = chipsArea(row);
    const double left = direction == Direction::back ? area.left() : area.right() - kArrowDiameter;
    return { left, area.center().y() - kArrowDiameter / 2, kArrowDiameter, kArrowDiameter };
}

bool AmbientView::scrollTo(const QRectF& row, double offset, bool animated)
{
    const double next = std::clamp(offset, 0.0, scrollLimit(row));
    if (next == m_scroll.target() && !m_scroll.animating())
        return false;
    const bool animate = animated && !m_context.reducesMotion();
    m_scroll.start(next, animate ? std::optional(kPageScroll) : std::nullopt);
    if (!animate && m_scroll.onFrame)
        m_scroll.onFrame();
    return true;
}

bool AmbientView::scroll(const QRectF& row, double delta)
{
    return scrollTo(row, m_scroll.target() - delta / 120 * kPointsPerWheelNotch, false);
}

bool AmbientView::drag(const QRectF& row, double dx)
{
    return scrollTo(row, m_scroll.value() - dx, false);
}

} // namespace moorlet
