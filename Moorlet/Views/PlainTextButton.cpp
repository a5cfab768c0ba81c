#include "Moorlet/Views/PlainTextButton.h"

#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace moorlet {

namespace {

constexpr double kSymbolSize = 12;
constexpr double kGap = 6;
constexpr int kHeight = 24;
constexpr double kPressedOpacity = 0.6;

QFont labelFont()
{
    return veltrane::DesignTokens::Typography::label().font();
}

} // namespace

PlainTextButton::PlainTextButton(const QString& symbol, const QString& text, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
    , m_color(veltrane::DesignTokens::Colors::textSecondary())
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PlainTextButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize PlainTextButton::sizeHint() const
{
    const double width = veltrane::SymbolPainter::box({}, kSymbolSize).width() + kGap + QFontMetricsF(labelFont()).horizontalAdvance(text());
    return { static_cast<int>(std::ceil(width)), kHeight };
}

void PlainTextButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(kPressedOpacity);
    const QRectF symbolBox = veltrane::SymbolPainter::box(QPointF(0, height() / 2.0), kSymbolSize);
    const QPointF symbolCenter(symbolBox.width() / 2, height() / 2.0);
    veltrane::SymbolPainter::paint(painter, symbolCenter, kSymbolSize, m_symbol, m_color);
    painter.setPen(m_color);
    painter.setFont(labelFont());
    painter.drawText(QRectF(symbolBox.width() + kGap, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace moorlet
