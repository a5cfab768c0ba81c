#include "Moorlet/Views/CardPopup.h"

#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace moorlet {

namespace {

namespace Radius = veltrane::DesignTokens::Radius;

constexpr double kFieldSymbolSize = 14;
constexpr double kBorderWidth = 0.5;
// Dividers and the border are the tertiary text colour at this opacity.
constexpr double kHairlineOpacity = 0.5;

} // namespace

CardPopup::CardPopup(ViewContext& context, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_context(context)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // The popup takes the host's palette, so a forced light or dark look carries over.
    setAttribute(Qt::WA_WindowPropagation);
    // The click outside that closes the popup is not passed on: a click on the button that opened
    // it closes it rather than opening it again.
    setAttribute(Qt::WA_NoMouseReplay);
    setFixedWidth(kWidth);
}

QLineEdit* CardPopup::makeField(const QString& placeholder, const QString& symbol)
{
    auto* field = new QLineEdit(this);
    field->setPlaceholderText(placeholder);
    field->setFont(veltrane::DesignTokens::Typography::label().font());
    field->setFrame(false);
    if (!symbol.isEmpty()) {
        const int pixels = static_cast<int>(veltrane::SymbolPainter::box({}, kFieldSymbolSize).width() * devicePixelRatioF());
        QAction* action = field->addAction(QIcon(QPixmap::fromImage(veltrane::SymbolPainter::image(
                                               symbol, QSize(pixels, pixels), m_context.accent()))),
            QLineEdit::TrailingPosition);
        connect(action, &QAction::triggered, field, &QLineEdit::returnPressed);
    }
    return field;
}

QVBoxLayout* CardPopup::makeColumn()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    layout->setSpacing(static_cast<int>(veltrane::DesignTokens::Spacing::xs));
    return layout;
}

QScrollArea* CardPopup::makeScrollArea(QWidget* content)
{
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    area->setWidget(content);
    area->viewport()->setAutoFillBackground(false);
    area->setAutoFillBackground(false);
    return area;
}

void CardPopup::fitRows(QScrollArea* area, int rows, int rowHeight, int visibleRows)
{
    area->setVerticalScrollBarPolicy(rows > visibleRows ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area->setFixedHeight(std::min(rows, visibleRows) * rowHeight);
}

QLabel* CardPopup::makeNote(const QString& text, int pixelSize)
{
    auto* note = new QLabel(text, this);
    note->setWordWrap(true);
    QFont font = veltrane::DesignTokens::Typography::label().font();
    font.setPixelSize(pixelSize);
    note->setFont(font);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, m_context.palette.textSecondary);
    note->setPalette(palette);
    return note;
}

void CardPopup::showBeside(const QRect& anchor)
{
    adjustSize();
    const QSize size = this->size();
    QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(anchor.topLeft(), size);
    int y = anchor.bottom() + kAnchorGap;
    if (y + size.height() > available.bottom() && anchor.top() - kAnchorGap - size.height() >= available.top())
        y = anchor.top() - kAnchorGap - size.height();
    int x = anchor.center().x() - size.width() / 2;
    x = std::clamp(x, available.left(), std::max(available.left(), available.right() - size.width()));
    move(x, y);
    show();
    if (QWidget* focus = initialFocus())
        focus->setFocus(Qt::PopupFocusReason);
}

void CardPopup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    painter.setPen(QPen(veltrane::withOpacity(m_context.palette.textTertiary, kHairlineOpacity), kBorderWidth));
    // Opaque: the popup's own window may not be composited, and the card's text must not show
    // through it where it is.
    painter.setBrush(m_context.palette.material(veltrane::Material::windowBackground));
    painter.drawRoundedRect(frame, Radius::small, Radius::small);
}

void CardPopup::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit closed();
}

PopupDivider::PopupDivider(const ViewContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setFixedHeight(1);
}

void PopupDivider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), veltrane::withOpacity(m_context.palette.textTertiary, kHairlineOpacity));
}

} // namespace moorlet
