#include "Moorlet/Recap/ShareComposerView.h"

#include "Moorlet/Recap/FocusRecap.h"
#include "Moorlet/Recap/FocusRecapPhotoCard.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using Card = FocusRecapPhotoCard;
using veltrane::withOpacity;

constexpr int kPadding = 18;
constexpr int kSpacing = 14;
// A press becomes a drag only once the pointer has moved this far, so a click never nudges.
constexpr double kDragThreshold = 10;
// The slider's steps per unit of zoom.
constexpr int kSliderSteps = 100;
// One notch of a mouse wheel zooms by this factor.
constexpr double kWheelZoomStep = 1.1;
constexpr double kPlaceholderRadius = 18;
constexpr double kRenderScale = 2;
const veltrane::ShadowStyle kPreviewShadow { withOpacity(Qt::black, 0.25), 18, QPointF(0, 8) };

QSize previewSize()
{
    return (Card::kCanvas * ShareComposerView::kPreviewScale).toSize();
}

QLabel* symbolLabel(QStringView name, const QColor& tint, QWidget* parent)
{
    auto* label = new QLabel(parent);
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap = QPixmap::fromImage(veltrane::SymbolPainter::image(name, QSize(14, 14) * ratio, tint));
    pixmap.setDevicePixelRatio(ratio);
    label->setPixmap(pixmap);
    return label;
}

QPointer<ShareComposerView>& sharedWindow()
{
    static QPointer<ShareComposerView> window;
    return window;
}

} // namespace

ShareComposerView::ShareComposerView(RecapData data, Services services, QWidget* parent)
    : QWidget(parent)
    , m_data(std::move(data))
    , m_services(std::move(services))
{
    if (!m_services.pickPhotoPath)
        m_services.pickPhotoPath = FocusRecap::pickPhotoPath;
    if (!m_services.chooseSavePath)
        m_services.chooseSavePath = FocusRecap::chooseSavePath;
    if (!m_services.presentShare)
        m_services.presentShare = [](const QString& file, QWidget* from, QPoint at) { FocusRecap::presentShare(file, from, at); };

    setWindowTitle(QStringLiteral("Share your focus"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    column->setSpacing(kSpacing);
    column->addSpacerItem(new QSpacerItem(previewSize().width(), previewSize().height(), QSizePolicy::Fixed, QSizePolicy::Fixed));

    const QColor secondary = veltrane::DesignTokens::Colors::textSecondary(palette());
    m_hint = new QLabel(QStringLiteral("Drag to position · pinch, scroll or slide to zoom"), this);
    m_hint->setFont(veltrane::TypeStyle { 11 }.font());
    m_hint->setAlignment(Qt::AlignCenter);
    column->addWidget(m_hint);

    m_zoomRow = new QWidget(this);
    auto* zoomLayout = new QHBoxLayout(m_zoomRow);
    zoomLayout->setContentsMargins(0, 0, 0, 0);
    m_slider = new QSlider(Qt::Horizontal, m_zoomRow);
    m_slider->setRange(static_cast<int>(Card::kMinimumZoom * kSliderSteps), static_cast<int>(Card::kMaximumZoom * kSliderSteps));
    zoomLayout->addWidget(symbolLabel(u"minus.magnifyingglass", secondary, m_zoomRow));
    zoomLayout->addWidget(m_slider, 1);
    zoomLayout->addWidget(symbolLabel(u"plus.magnifyingglass", secondary, m_zoomRow));
    column->addWidget(m_zoomRow);
    connect(m_slider, &QSlider::valueChanged, this,
        [this](int value) { setZoom(static_cast<double>(value) / kSliderSteps); });

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: %1").arg(veltrane::DesignTokens::Colors::alert().name()));
    m_message->hide();
    column->addWidget(m_message);

    auto* footer = new QHBoxLayout;
    m_change = new QPushButton(QStringLiteral("Change Photo…"), this);
    m_save = new QPushButton(QStringLiteral("Save…"), this);
    m_share = new QPushButton(QStringLiteral("Share"), this);
    m_share->setDefault(true);
    footer->addWidget(m_change);
    footer->addStretch(1);
    footer->addWidget(m_save);
    footer->addWidget(m_share);
    column->addLayout(footer);
    connect(m_change, &QPushButton::clicked, this, &ShareComposerView::choosePhoto);
    connect(m_save, &QPushButton::clicked, this, &ShareComposerView::exportAndSave);
    connect(m_share, &QPushButton::clicked, this, &ShareComposerView::exportAndShare);

    // The window keeps one size: the zoom row and the message line keep their room while hidden.
    for (QWidget* widget : { static_cast<QWidget*>(m_hint), m_zoomRow, static_cast<QWidget*>(m_message) }) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    // Room for a message of two lines, so that one showing up moves nothing.
    m_message->setMinimumHeight(2 * m_message->fontMetrics().lineSpacing());
    setMouseTracking(true);
    refresh();
    setFixedSize(previewSize().width() + 2 * kPadding, sizeHint().height());
}

ShareComposerView::~ShareComposerView() = default;

ShareComposerView* ShareComposerView::present(RecapData data, Services services)
{
    auto& slot = sharedWindow();
    if (slot)
        slot->close();
    slot = new ShareComposerView(std::move(data), std::move(services));
    slot->setWindowFlag(Qt::Window);
    slot->setAttribute(Qt::WA_DeleteOnClose);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

QString ShareComposerView::message() const
{
    return m_message->text();
}

void ShareComposerView::setMessage(const QString& text)
{
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

void ShareComposerView::refresh()
{
    const bool hasPhoto = m_photo.has_value();
    m_hint->setVisible(hasPhoto);
    m_zoomRow->setVisible(hasPhoto);
    m_save->setEnabled(hasPhoto);
    m_share->setEnabled(hasPhoto);
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(static_cast<int>(std::lround(m_zoom * kSliderSteps)));
    }
    update();
}

void ShareComposerView::choosePhoto()
{
    if (const auto path = m_services.pickPhotoPath(this))
        usePhotoFile(*path);
}

bool ShareComposerView::usePhotoFile(const QString& path)
{
    auto image = FocusRecap::loadPhoto(path);
    if (!image) {
        setMessage(QStringLiteral("That file could not be read as a photo; choose another one."));
        return false;
    }
    m_photo = std::move(*image);
    m_zoom = 1;
    m_offset = m_baseOffset = {};
    setMessage({});
    refresh();
    return true;
}

void ShareComposerView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, Card::kMinimumZoom, Card::kMaximumZoom);
    if (m_photo)
        m_offset = m_baseOffset = Card::clampedOffset(m_offset, m_photo->size(), m_zoom);
    refresh();
}

void ShareComposerView::dragBy(QPointF translation)
{
    if (!m_photo)
        return;
    // The preview is half size: a drag moves the photo twice as far in card points.
    m_offset = Card::clampedOffset(m_baseOffset + translation / kPreviewScale, m_photo->size(), m_zoom);
    update();
}

void ShareComposerView::endDrag()
{
    m_baseOffset = m_offset;
}

QImage ShareComposerView::renderCard() const
{
    if (!m_photo)
        return {};
    return Card(m_data, *m_photo, m_zoom, m_offset).render(kRenderScale);
}

void ShareComposerView::exportAndSave()
{
    const QImage image = renderCard();
    if (image.isNull())
        return;
    const auto path = m_services.chooseSavePath(this, kFileName);
    if (!path)
        return;
    if (!FocusRecap::writePNG(image, *path))
        setMessage(QStringLiteral("The image could not be saved there; the folder may be read-only or the disk full."));
    else
        setMessage({});
}

void ShareComposerView::exportAndShare()
{
    const QImage image = renderCard();
    if (image.isNull())
        return;
    const auto file = FocusRecap::writeTemporaryPNG(image, kFileName);
    if (!file) {
        setMessage(QStringLiteral("The image could not be written to the temporary folder, so there is nothing to share."));
        return;
    }
    setMessage({});
    m_services.presentShare(*file, this, m_share->mapToGlobal(QPoint(0, m_share->height())));
}

QRectF ShareComposerView::previewRect() const
{
    return QRectF(QPointF(kPadding, kPadding), QSizeF(previewSize()));
}

QRectF ShareComposerView::chooseButtonRect() const
{
    const QRectF preview = previewRect();
    return QRectF(preview.center().x() - 65, preview.center().y() + 40, 130, 30);
}

QImage ShareComposerView::renderToImage()
{
    return grab().toImage();
}

void ShareComposerView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_didAutoPick)
        return;
    m_didAutoPick = true;
    // After the window is up, so the chooser opens over it.
    QTimer::singleShot(0, this, &ShareComposerView::choosePhoto);
}

void ShareComposerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const QRectF preview = previewRect();
    if (m_photo) {
        veltrane::ShadowPainter::paint(painter, preview, kPreviewShadow,
            [&](QPainter& silhouette) { silhouette.fillRect(preview, Qt::black); });
        painter.save();
        painter.translate(preview.topLeft());
        painter.scale(kPreviewScale, kPreviewScale);
        Card(m_data, *m_photo, m_zoom, m_offset).paint(painter);
        painter.restore();
        return;
    }
    const QColor primary = veltrane::DesignTokens::Colors::textPrimary(palette());
    QPainterPath placeholder;
    placeholder.addRoundedRect(preview.adjusted(0.5, 0.5, -0.5, -0.5), kPlaceholderRadius, kPlaceholderRadius);
    painter.fillPath(placeholder, withOpacity(primary, 0.05));
    painter.strokePath(placeholder, QPen(withOpacity(primary, 0.12), 1));
    const QPointF center = preview.center();
    veltrane::SymbolPainter::paint(painter, center - QPointF(0, 50), 34, u"photo.on.rectangle.angled",
        veltrane::DesignTokens::Colors::textSecondary(palette()));
    painter.setFont(veltrane::TypeStyle { 13 }.font());
    painter.setPen(veltrane::DesignTokens::Colors::textSecondary(palette()));
    painter.drawText(QRectF(preview.left(), center.y() - 10, preview.width(), 24), Qt::AlignCenter,
        QStringLiteral("Choose a photo to drop your stats on"));
    const QRectF button = chooseButtonRect();
    QPainterPath capsule;
    capsule.addRoundedRect(button, 8, 8);
    painter.fillPath(capsule, m_data.accent);
    painter.setPen(Qt::white);
    painter.setFont(veltrane::TypeStyle { 12, QFont::DemiBold }.font());
    painter.drawText(button, Qt::AlignCenter, QStringLiteral("Choose Photo…"));
}

void ShareComposerView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_photo && chooseButtonRect().contains(event->position())) {
        choosePhoto();
        return;
    }
    if (m_photo && previewRect().contains(event->position()))
        m_pressAt = event->position();
}

void ShareComposerView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressAt)
        return;
    const QPointF translation = event->position() - *m_pressAt;
    if (!m_dragging && std::hypot(translation.x(), translation.y()) < kDragThreshold)
        return;
    m_dragging = true;
    dragBy(translation);
}

void ShareComposerView::mouseReleaseEvent(QMouseEvent*)
{
    if (m_dragging)
        endDrag();
    m_pressAt.reset();
    m_dragging = false;
}

void ShareComposerView::wheelEvent(QWheelEvent* event)
{
    if (!m_photo || !previewRect().contains(event->position()))
        return;
    // A wheel notch is 120 units; touchpads send smaller steps that add up the same way.
    setZoom(m_zoom * std::pow(kWheelZoomStep, event->angleDelta().y() / 120.0));
}

bool ShareComposerView::event(QEvent* event)
{
    // A touchpad's pinch arrives as small steps of magnification, each relative to the last.
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture && m_photo) {
            setZoom(m_zoom * (1 + gesture->value()));
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace moorlet
