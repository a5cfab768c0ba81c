#include "Moorlet/App/MenuBarLabel.h"

#include "Moorlet/Focus/FocusController.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"

#include <QPixmap>

#include <array>

namespace moorlet {

namespace {

// The pixel sizes tray hosts pick from (panels are 16 to 48 pixels high, doubled on HiDPI).
constexpr std::array kIconPixels { 16, 22, 24, 32, 48, 64 };

} // namespace

MenuBarLabel::MenuBarLabel(FocusController& controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
{
    connect(&controller, &FocusController::phaseChanged, this, &MenuBarLabel::updateText);
    connect(&controller, &FocusController::remainingChanged, this, &MenuBarLabel::updateText);
    connect(&controller, &FocusController::elapsedChanged, this, &MenuBarLabel::updateText);
    connect(&controller, &FocusController::phaseChanged, this, &MenuBarLabel::updateIcon);
    connect(&controller, &FocusController::accentChanged, this, &MenuBarLabel::updateIcon);
    updateText();
    updateIcon();
}

QString MenuBarLabel::toolTip() const
{
    return m_timeText.isEmpty() ? QString::fromLatin1(kIdleText) : m_timeText;
}

QIcon MenuBarLabel::renderIcon(const QColor& tint)
{
    QIcon icon;
    for (const int pixels : kIconPixels) {
        const auto image = veltrane::SymbolPainter::image(QString::fromLatin1(kSymbol), QSize(pixels, pixels), tint);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void MenuBarLabel::updateText()
{
    auto text = m_controller.phase() == SessionPhase::idle ? QString() : m_controller.displayTime();
    if (text == m_timeText)
        return;
    m_timeText = std::move(text);
    emit textChanged();
}

void MenuBarLabel::updateIcon()
{
    const auto tint = m_controller.accent();
    if (tint == m_tint && !m_icon.isNull())
        return;
    m_tint = tint;
    m_icon = renderIcon(tint);
    emit iconChanged();
}

} // namespace moorlet
