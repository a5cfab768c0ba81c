#include "Moorlet/Views/AmbientView.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::withOpacity;
namespace Typography = veltrane::DesignTokens::Typography;

constexpr double kChipPaddingX = 10;
constexpr double kSymbolSize = 11;
constexpr double kSymbolGap = 4;
constexpr double kActiveFillOpacity = 0.2;
constexpr double kActiveStrokeOpacity = 0.55;
constexpr double kStrokeWidth = 0.5;
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
    double x = row.left() - m_scroll;
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

void AmbientView::paint(QPainter& painter, const QRectF& row) const
{
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    const QFont font = Typography::secondary().font();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.save();
    painter.setClipRect(chipsArea(row));
    const int sounds = chipCount() - 1;
    for (int i = 0; i <= sounds; ++i) {
        const QRectF chip = chipRect(row, i);
        if (chip.right() < row.left() || chip.left() > row.right())
            continue;
        QString name = CardTexts::kImportSounds;
        QString symbol = importSymbol();
        bool active = false;
        QColor tint = accent;
        if (i < sounds) {
            const veltrane::Sound& sound = m_context.ambient->sounds()[static_cast<std::size_t>(i)];
            name = QString::fromStdString(sound.name);
            symbol = QString::fromStdString(sound.icon);
            active = m_context.ambient->isActive(sound.id);
            tint = AmbientController::tint(sound).value_or(accent);
        }
        const double radius = chip.height() / 2;
        const double inset = kStrokeWidth / 2;
        painter.setPen(QPen(active ? withOpacity(tint, kActiveStrokeOpacity) : palette.subtleFill, kStrokeWidth));
        painter.setBrush(active ? withOpacity(tint, kActiveFillOpacity) : palette.subtleFill);
        painter.drawRoundedRect(chip.adjusted(inset, inset, -inset, -inset), radius, radius);
        const QColor content = active ? palette.textPrimary : palette.textSecondary;
        const QPointF symbolCenter(chip.left() + kChipPaddingX + kSymbolSize / 2, chip.center().y());
        veltrane::SymbolPainter::paint(painter, symbolCenter, kSymbolSize, symbol, active ? tint : content);
        painter.setPen(content);
        painter.setFont(font);
        const QRectF text(symbolCenter.x() + kSymbolSize / 2 + kSymbolGap, chip.top(),
            chip.right() - kChipPaddingX - (symbolCenter.x() + kSymbolSize / 2 + kSymbolGap), chip.height());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    painter.restore();

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

std::optional<CardTarget> AmbientView::hitTest(const QRectF& row, QPointF point) const
{
    if (chipsArea(row).contains(point)) {
        for (int i = 0; i < chipCount(); ++i) {
            if (chipRect(row, i).contains(point)) {
                if (i == chipCount() - 1)
                    return CardTarget { CardTarget::Kind::importSounds };
                return CardTarget { CardTarget::Kind::soundChip, i };
            }
        }
        return std::nullopt;
    }
    const QRectF slider = sliderRect(row).adjusted(-kKnobDiameter / 2, 0, kKnobDiameter / 2, 0);
    if (slider.contains(point))
        return CardTarget { CardTarget::Kind::volume };
    return std::nullopt;
}

void AmbientView::activate(const CardTarget& target)
{
    if (!m_context.ambient)
        return;
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

bool AmbientView::scroll(const QRectF& row, double delta)
{
    const double limit = std::max(0.0, contentWidth() - row.width());
    const double next = std::clamp(m_scroll - delta / 120 * kPointsPerWheelNotch, 0.0, limit);
    if (next == m_scroll)
        return false;
    m_scroll = next;
    m_context.repaint();
    return true;
}

} // namespace moorlet
