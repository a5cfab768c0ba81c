#include "VeltraneKit/Theme/DesignTokens.h"

#include "VeltraneKit/Theme/ColorOpacity.h"

#include <QGuiApplication>
#include <QPalette>

namespace veltrane::DesignTokens {

namespace {

QColor paletteText(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::WindowText);
}

// The label opacities of the desktop's light and dark appearances.
constexpr double kPrimaryLabelOpacity = 0.85;
constexpr double kSecondaryLabelOpacity = 0.5;
constexpr double kTertiaryLabelOpacity = 0.26;
constexpr double kSubtleFillOpacity = 0.04;

} // namespace

namespace Colors {
    QColor focus() { return QColor(110, 108, 255); }
    QColor breakPhase() { return QColor(52, 224, 161); }
    QColor idle() { return QColor(156, 163, 175); }
    QColor alert() { return QColor(255, 107, 107); }
    QColor streak() { return QColor(255, 159, 67); }
    QColor notchBackground() { return QColor(0, 0, 0); }
    QColor textPrimary(const QPalette& palette) { return withOpacity(paletteText(palette), kPrimaryLabelOpacity); }
    QColor textSecondary(const QPalette& palette) { return withOpacity(paletteText(palette), kSecondaryLabelOpacity); }
    QColor textTertiary(const QPalette& palette) { return withOpacity(paletteText(palette), kTertiaryLabelOpacity); }
    QColor subtleFill(const QPalette& palette) { return withOpacity(paletteText(palette), kSubtleFillOpacity); }
    QColor textPrimary() { return textPrimary(QGuiApplication::palette()); }
    QColor textSecondary() { return textSecondary(QGuiApplication::palette()); }
    QColor textTertiary() { return textTertiary(QGuiApplication::palette()); }
    QColor subtleFill() { return subtleFill(QGuiApplication::palette()); }
    QColor hairline() { return withOpacity(QColor(255, 255, 255), 0.12); }
    QColor windowBackground(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Window); }
    QColor windowBackground() { return windowBackground(QGuiApplication::palette()); }
} // namespace Colors

namespace Typography {
    TypeStyle countdownExpanded() { return { 42, QFont::DemiBold, FontDesign::rounded, false }; }
    TypeStyle countdownCollapsed() { return { 18, QFont::DemiBold, FontDesign::rounded, false }; }
    TypeStyle phase() { return { 13, QFont::Medium, FontDesign::rounded, false }; }
    TypeStyle label() { return { 12, QFont::Normal, FontDesign::rounded, false }; }
    TypeStyle secondary() { return { 11, QFont::Normal, FontDesign::rounded, false }; }
    TypeStyle statValue() { return { 16, QFont::DemiBold, FontDesign::rounded, true }; }
    TypeStyle sectionLabel() { return { 10, QFont::Bold, FontDesign::rounded, false }; }
    TypeStyle metric(double size, QFont::Weight weight) { return { size, weight, FontDesign::standard, true }; }
} // namespace Typography

namespace Shadow {
    ShadowStyle style() { return { withOpacity(QColor(0, 0, 0), opacity), radius, { 0, y } }; }
} // namespace Shadow

} // namespace veltrane::DesignTokens
