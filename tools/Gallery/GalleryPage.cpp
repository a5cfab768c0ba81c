#include "GalleryPage.h"

#include "Moorlet/Theme/ThemePacks.h"
#include "VeltraneKit/Components/ConfettiPainter.h"
#include "VeltraneKit/Components/ConfettiView.h"
#include "VeltraneKit/Components/PillButtonPainter.h"
#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Components/StateDotPainter.h"
#include "VeltraneKit/Components/VisualEffectPainter.h"
#include "VeltraneKit/Symbols/SymbolCatalog.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/ThemeCatalog.h"
#include "VeltraneKit/Theme/TimeFormat.h"

#include <QPainter>

#include <random>

using namespace veltrane;
namespace Colors = DesignTokens::Colors;
namespace Typography = DesignTokens::Typography;

namespace gallery {

namespace {

constexpr double kMargin = 24;
constexpr double kSectionGap = 18;

void caption(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment = Qt::AlignCenter)
{
    painter.setFont(Typography::secondary().font());
    painter.setPen(Colors::textSecondary());
    painter.drawText(rect, alignment, text);
}

double sectionTitle(QPainter& painter, double x, double y, double width, const QString& text)
{
    painter.setFont(Typography::sectionLabel().font());
    painter.setPen(Colors::textTertiary());
    painter.drawText(QRectF(x, y, width, 16), Qt::AlignLeft | Qt::AlignVCenter, text.toUpper());
    return y + 22;
}

double pills(QPainter& painter, double x, double y)
{
    struct Pill {
        const char* symbol;
        QColor tint;
        bool prominent;
        double scale;
        const char* label;
    };
    const Pill pills[] = {
        { "arrow.counterclockwise", Colors::idle(), false, 1.0, "reset" },
        { "play.fill", Colors::focus(), true, 1.0, "play" },
        { "pause.fill", Colors::focus(), true, 1.05, "hovered" },
        { "play.fill", Colors::breakPhase(), true, 1.0, "break" },
        { "forward.fill", Colors::idle(), false, 1.0, "skip" },
        { "forward.fill", Colors::idle(), false, 1.05, "hovered" },
    };
    double cx = x + 40;
    for (const Pill& pill : pills) {
        const PillButtonPainter button(QString::fromLatin1(pill.symbol), pill.tint, pill.prominent);
        const double d = button.diameter();
        button.paint(painter, QRectF(cx - d / 2, y + 36 - d / 2, d, d), pill.scale);
        caption(painter, QRectF(cx - 50, y + 74, 100, 16), QString::fromLatin1(pill.label));
        cx += 100;
    }
    return y + 100;
}

double rings(QPainter& painter, double x, double y)
{
    const double values[] = { 0, 0.25, 0.6, 1.0 };
    double cx = x;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const QColor tint = i == 2 ? Colors::breakPhase() : Colors::focus();
        ProgressRingPainter { values[i], tint, 6, 0.15 }.paint(painter, QRectF(cx + 20, y + 14, 100, 100));
        painter.setFont(Typography::metric(18, QFont::DemiBold).font());
        painter.setPen(Colors::textPrimary());
        painter.drawText(QRectF(cx + 20, y + 14, 100, 100), Qt::AlignCenter,
            QString::fromStdString(TimeFormat::clock(1500 * (1 - values[i]))));
        caption(painter, QRectF(cx, y + 126, 140, 16), QStringLiteral("ring %1").arg(values[i]));
        cx += 150;
    }
    return y + 150;
}

double arcs(QPainter& painter, double x, double y)
{
    const double values[] = { 0, 0.3, 0.5, 0.75, 1.0 };
    double cx = x;
    for (const double value : values) {
        const QRectF tile(cx + 10, y, 104, 104);
        VisualEffectPainter { Material::popover, MaterialState::active, DesignTokens::Radius::tile }.paint(painter, tile);
        ProgressArcPainter { value, Colors::focus(), 3.5 }.paint(painter, tile.adjusted(6, 6, -6, -6));
        painter.setFont(Typography::countdownCollapsed().font());
        painter.setPen(Colors::textPrimary());
        painter.drawText(tile.adjusted(0, -8, 0, -8), Qt::AlignCenter, QString::fromStdString(TimeFormat::clock(1500 * (1 - value))));
        painter.setFont(Typography::phase().font());
        painter.setPen(Colors::textSecondary());
        painter.drawText(tile.adjusted(0, 30, 0, 0), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Focus"));
        caption(painter, QRectF(cx, y + 110, 124, 16), QStringLiteral("arc %1").arg(value));
        cx += 140;
    }
    return y + 136;
}

double dots(QPainter& painter, double x, double y)
{
    const QColor colours[] = { Colors::focus(), Colors::breakPhase(), Colors::idle(), Colors::alert(), Colors::streak() };
    double cx = x + 30;
    for (const QColor& colour : colours) {
        for (const double pulse : { 0.0, 1.0 }) {
            StateDotPainter { colour, 10, pulse }.paint(painter, QRectF(cx - 20, y, 40, 40));
            caption(painter, QRectF(cx - 30, y + 40, 60, 16), pulse > 0 ? QStringLiteral("pulsing") : QStringLiteral("rest"));
            cx += 70;
        }
    }
    return y + 64;
}

double confetti(QPainter& painter, double x, double y, double width)
{
    std::mt19937_64 generator(2024);
    const auto pieces = ConfettiPiece::random(ConfettiView::defaultColors(), 40, generator);
    const double moments[] = { 0.6, 0.9, 1.2 };
    const double w = (width - 2 * 12) / 3;
    for (int i = 0; i < 3; ++i) {
        const QRectF area(x + i * (w + 12), y, w, 130);
        VisualEffectPainter { Material::thin, MaterialState::active, DesignTokens::Radius::small }.paint(painter, area);
        std::vector<double> progress;
        for (const ConfettiPiece& piece : pieces)
            progress.push_back(TimingCurve::easeIn().value((moments[i] - piece.delay) / 1.1));
        painter.save();
        painter.setClipRect(area);
        ConfettiPainter::paint(painter, area, pieces, progress);
        painter.restore();
        caption(painter, QRectF(area.left(), area.bottom() + 2, w, 16), QStringLiteral("confetti at %1 s").arg(moments[i], 0, 'f', 1));
    }
    return y + 154;
}

double materials(QPainter& painter, double x, double y)
{
    struct Sample {
        Material material;
        const char* name;
        double radius;
    };
    const Sample samples[] = {
        { Material::ultraThin, "ultraThin", DesignTokens::Radius::small },
        { Material::thin, "thin", DesignTokens::Radius::small },
        { Material::popover, "popover", DesignTokens::Radius::tile },
        { Material::popover, "popover", DesignTokens::Radius::panel },
        { Material::hudWindow, "hudWindow", DesignTokens::Radius::notchFallback },
    };
    // A striped backdrop shows how much each material lets through.
    const QRectF strip(x, y, 5 * 140, 90);
    for (int i = 0; i < 14; ++i)
        painter.fillRect(QRectF(strip.left() + i * 50, strip.top(), 25, strip.height()), withOpacity(Colors::focus(), 0.5));
    double cx = x + 10;
    for (const Sample& sample : samples) {
        const QRectF card(cx, y + 10, 120, 70);
        ShadowPainter::paint(painter, card, DesignTokens::Shadow::style(), [&](QPainter& silhouette) {
            silhouette.setPen(Qt::NoPen);
            silhouette.setBrush(Qt::black);
            silhouette.drawRoundedRect(card, sample.radius, sample.radius);
        });
        VisualEffectPainter { sample.material, MaterialState::active, sample.radius }.paint(painter, card);
        caption(painter, card, QStringLiteral("%1\nradius %2").arg(QString::fromLatin1(sample.name)).arg(sample.radius));
        cx += 140;
    }
    return y + 104;
}

double swatches(QPainter& painter, double x, double y)
{
    const ThemeCatalog catalog(moorlet::ThemePacks::extras());
    double cx = x;
    double cy = y;
    int index = 0;
    for (const Theme& theme : catalog.themes()) {
        const QRectF tile(cx, cy, 132, 56);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(materialFill(Material::popover));
        painter.drawRoundedRect(tile, 10, 10);
        if (theme.wash) {
            QLinearGradient wash(tile.topLeft(), tile.bottomRight());
            wash.setColorAt(0, withOpacity(*theme.wash, 0.55));
            wash.setColorAt(1, withOpacity(*theme.wash, 0.12));
            painter.setBrush(wash);
            painter.drawRoundedRect(tile, 10, 10);
        }
        painter.setBrush(theme.accent);
        painter.drawEllipse(QRectF(tile.left() + 10, tile.top() + 12, 32, 32));
        painter.setPen(QPen(withOpacity(Colors::textPrimary(), 0.08), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(tile, 10, 10);
        painter.restore();
        painter.setFont(Typography::phase().font());
        painter.setPen(Colors::textPrimary());
        painter.drawText(QRectF(tile.left() + 50, tile.top() + 8, 80, 20), Qt::AlignLeft | Qt::AlignVCenter, theme.name);
        painter.setFont(Typography::metric(10, QFont::Normal).font());
        painter.setPen(Colors::textSecondary());
        painter.drawText(QRectF(tile.left() + 50, tile.top() + 28, 80, 18), Qt::AlignLeft | Qt::AlignVCenter,
            theme.accent.name(QColor::HexRgb).toUpper());
        cx += 146;
        if (++index % 5 == 0) {
            cx = x;
            cy += 68;
        }
    }
    return cy + 4;
}

double typography(QPainter& painter, double x, double y, double width)
{
    struct Row {
        const char* name;
        TypeStyle style;
        const char* sample;
    };
    const Row rows[] = {
        { "countdownExpanded 42 semibold", Typography::countdownExpanded(), "24:59" },
        { "countdownCollapsed 18 semibold", Typography::countdownCollapsed(), "1:00:00" },
        { "phase 13 medium", Typography::phase(), "Long break · Rosé" },
        { "label 12 regular", Typography::label(), "Pick a task to focus on" },
        { "secondary 11 regular", Typography::secondary(), "You focus best around 9 AM" },
        { "statValue 16 semibold, digits", Typography::statValue(), "1111 · 8888" },
        { "sectionLabel 10 bold", Typography::sectionLabel(), "FOCUS TODAY" },
        { "metric 14 medium, digits", Typography::metric(14, QFont::Medium), "1111 · 8888 · 12:34" },
    };
    for (const Row& row : rows) {
        const QFont font = row.style.font();
        const double height = std::max(22.0, row.style.size * 1.35);
        caption(painter, QRectF(x, y, 220, height), QString::fromLatin1(row.name), Qt::AlignLeft | Qt::AlignVCenter);
        painter.setFont(font);
        painter.setPen(Colors::textPrimary());
        painter.drawText(QRectF(x + 230, y, width - 230, height), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(row.sample));
        y += height + 4;
    }
    return y;
}

double symbols(QPainter& painter, double x, double y, double width)
{
    constexpr int kColumns = 4;
    const double cell = width / kColumns;
    int index = 0;
    const QStringList names = SymbolCatalog::names();
    for (const QString& name : names) {
        const double cx = x + (index % kColumns) * cell;
        const double cy = y + (index / kColumns) * 30;
        const QColor tint = name.endsWith(QStringLiteral(".fill")) ? Colors::focus() : Colors::textPrimary();
        SymbolPainter::paint(painter, QPointF(cx + 12, cy + 12), 15, name, tint);
        caption(painter, QRectF(cx + 28, cy + 2, cell - 30, 20), name, Qt::AlignLeft | Qt::AlignVCenter);
        ++index;
    }
    return y + ((names.size() + kColumns - 1) / kColumns) * 30;
}

} // namespace

QPalette lightPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(236, 236, 238));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    palette.setColor(QPalette::Highlight, QColor(0, 122, 255));
    return palette;
}

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(36, 36, 40));
    palette.setColor(QPalette::WindowText, QColor(255, 255, 255));
    palette.setColor(QPalette::Highlight, QColor(10, 132, 255));
    return palette;
}

double paintPage(QPainter& painter, const QRectF& area, const QString& title)
{
    const double x = area.left() + kMargin;
    const double width = area.width() - 2 * kMargin;
    double y = area.top() + kMargin;
    painter.setFont(TypeStyle { 28, QFont::Bold, FontDesign::rounded, false }.font());
    painter.setPen(Colors::textPrimary());
    painter.drawText(QRectF(x, y, width, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
    y += 48;

    y = sectionTitle(painter, x, y, width, QStringLiteral("Pill buttons"));
    y = pills(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Progress rings"));
    y = rings(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Progress arcs on tiles"));
    y = arcs(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("State dots"));
    y = dots(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Confetti"));
    y = confetti(painter, x, y, width) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Materials with the card shadow"));
    y = materials(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Themes"));
    y = swatches(painter, x, y) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Typography"));
    y = typography(painter, x, y, width) + kSectionGap;
    y = sectionTitle(painter, x, y, width, QStringLiteral("Symbols"));
    y = symbols(painter, x, y, width);
    return y + kMargin - area.top();
}

} // namespace gallery
