#include "Moorlet/Views/WidgetRootView.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/AmbientView.h"
#include "Moorlet/Views/CardBackground.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/CollapsedTileView.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/ForcedAppearance.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::Animation;
namespace Colors = veltrane::DesignTokens::Colors;
namespace Radius = veltrane::DesignTokens::Radius;

// The celebration's swell springs up briskly and settles back more gently.
const Animation kSwellUp = Animation::spring(0.35, 0.55);
const Animation kSwellBack = Animation::spring(0.4, 0.7);
const Animation kBackdropChange = Animation::easeInOut(0.6);
const Animation kHeightChange = Animation::easeInOut(0.3);
constexpr veltrane::Seconds kConfettiDuration = 1.4;
constexpr veltrane::Seconds kSwellDuration = 0.45;
constexpr veltrane::Seconds kToastDuration = 1.8;
// A tile coming back grows from this much of its size.
constexpr double kTileInsertScale = 0.9;
// The toast keeps this far from the widget's sides.
constexpr double kToastMargin = 4;

double lerp(double from, double to, double t)
{
    return from + (to - from) * t;
}

} // namespace

WidgetRootView::WidgetRootView(Inputs inputs, ViewEnvironment environment, QWidget* parent)
    : QWidget(parent)
    , m_controller(inputs.controller)
    , m_store(inputs.store)
    , m_ambient(inputs.ambient)
    , m_media(inputs.media)
    , m_theme(inputs.theme)
    , m_dockSide(inputs.dockSide)
    , m_environment(environment.resolved())
    , m_reduceMotion(std::make_unique<ReduceMotion>(inputs.controller.settings(), m_environment.desktop))
    , m_expansion(*m_environment.ticker, inputs.controller.isExpanded() ? 1.0 : 0.0)
    , m_cardHeight(*m_environment.ticker, 0.0)
    , m_sceneTintPresence(*m_environment.ticker, 0.0)
    , m_sceneTint(*m_environment.ticker, Qt::transparent)
    , m_scale(*m_environment.ticker, 1.0)
    , m_wiggle(*m_environment.ticker)
    , m_toast(*m_environment.ticker)
    , m_random(std::random_device {}())
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);

    m_context = std::make_unique<ViewContext>(ViewContext {
        m_controller,
        m_store,
        m_ambient,
        m_media,
        m_theme,
        *m_environment.ticker,
        m_environment.scheduler,
        m_environment.clock,
        *m_reduceMotion,
        *this,
        ViewPalette::from(palette()),
        [this] { update(); },
        [this](const QRectF& area) {
            if (m_card && m_card->isShown())
                repaintArea(area.translated(cardRect().topLeft()));
        },
        [this](const QRectF& area) {
            // A tile on its way in or out is scaled and faded by the morph, which paints it whole.
            if (m_expansion.animating())
                update();
            else if (!m_controller.isExpanded())
                repaintArea(area.translated(tileRect().topLeft()));
        },
        [this](const QRectF& area) {
            const QRectF onWidget = contentTransform().mapRect(area.translated(cardRect().topLeft()));
            return QRect(mapToGlobal(onWidget.topLeft().toPoint()), onWidget.size().toSize());
        },
    });
    // An empty palette makes the widget follow its parent's (the panel's) again.
    followAppearance(*this, m_controller.settings(), m_environment.desktop, [this] {
        m_context->palette = ViewPalette::from(palette());
        update();
    });
    m_tile = std::make_unique<CollapsedTileView>(*m_context);
    m_card = std::make_unique<ExpandedCardView>(
        *m_context, ExpandedCardView::Actions { std::move(inputs.openSettings), std::move(inputs.openInsights), std::move(inputs.openShare) });

    const auto repaint = [this] { update(); };
    m_expansion.onFrame = repaint;
    m_expansion.onFinished = [this](veltrane::AnimationOutcome) {
        // The card leaves the screen once it has faded away, the tile once the card covers it.
        if (!m_controller.isExpanded() && m_expansion.target() <= 0)
            m_card->setShown(false);
        if (m_controller.isExpanded() && m_expansion.target() >= 1)
            m_tile->setShown(false);
    };
    m_cardHeight.onFrame = repaint;
    m_sceneTintPresence.onFrame = repaint;
    m_sceneTint.setOnFrame(repaint);
    m_scale.onFrame = repaint;
    m_wiggle.setOnFrame(repaint);
    m_toast.setOnFrame(repaint);

    m_lastExpandedHeight = expandedHeight();
    m_cardHeight.jumpTo(m_lastExpandedHeight);
    m_lastPhase = m_controller.phase();
    m_lastGoalProgress = m_controller.goalProgress();
    if (m_controller.isExpanded()) {
        m_card->setShown(true);
        m_tile->setShown(false);
    }
    connectSources();
    refresh();
}

WidgetRootView::~WidgetRootView()
{
    *m_alive = false;
    m_collapseWork.cancel();
    m_celebrationCheck.cancel();
}

void WidgetRootView::connectSources()
{
    const auto refreshSlot = [this] { refresh(); };
    FocusController* controller = &m_controller;
    // The running clock changes only the time and the progress, and those paint themselves.
    for (const auto signal : { &FocusController::remainingChanged, &FocusController::elapsedChanged,
             &FocusController::progressChanged })
        connect(controller, signal, this, [this] {
            m_tile->refreshTime();
            m_card->refreshTime();
        });
    for (const auto signal : { &FocusController::phaseChanged, &FocusController::isRunningChanged,
             &FocusController::isPausedChanged, &FocusController::isHoveredChanged,
             &FocusController::widgetAnchorChanged, &FocusController::activeTaskIDChanged,
             &FocusController::currentSubjectChanged, &FocusController::intentionChanged,
             &FocusController::focusSecondsTodayChanged, &FocusController::completedSessionsTodayChanged,
             &FocusController::streakChanged, &FocusController::bestHourLabelChanged, &FocusController::accentChanged,
             &FocusController::awayNoticeChanged })
        connect(controller, signal, this, refreshSlot);
    connect(controller, &FocusController::isExpandedChanged, this, &WidgetRootView::expandedChanged);
    for (const auto signal : { &FocusSettings::dailyGoalMinutesChanged, &FocusSettings::defaultSubjectChanged })
        connect(&m_controller.focusSettings(), signal, this, refreshSlot);

    for (const auto signal : { &LocalDataStore::tasksChanged, &LocalDataStore::deadlinesChanged, &LocalDataStore::sessionsChanged })
        connect(&m_store, signal, this, refreshSlot);
    if (m_media) {
        for (const auto signal : { &MediaController::playerChanged, &MediaController::titleChanged,
                 &MediaController::artistChanged, &MediaController::isPlayingChanged,
                 &MediaController::connectablePlayersChanged, &MediaController::displayNamesChanged })
            connect(m_media, signal, this, refreshSlot);
    }
    if (m_ambient) {
        for (const auto signal : { &AmbientController::soundsChanged, &AmbientController::activeIDsChanged,
                 &AmbientController::sceneTintChanged })
            connect(m_ambient, signal, this, refreshSlot);
    }
    if (m_theme) {
        connect(m_theme, &ThemeProvider::accentChanged, this, refreshSlot);
        connect(m_theme, &ThemeProvider::backgroundWashChanged, this, refreshSlot);
    }
    veltrane::SettingsStore& settings = m_controller.settings();
    connect(&settings, &veltrane::SettingsStore::widgetOpacityChanged, this, qOverload<>(&QWidget::update));
    connect(&settings, &veltrane::SettingsStore::masterVolumeChanged, this, qOverload<>(&QWidget::update));
    connect(m_reduceMotion.get(), &ReduceMotion::changed, this, &WidgetRootView::applyReduceMotion);
}

double WidgetRootView::expandedHeight() const
{
    return WidgetMetrics::expandedHeight(m_controller, m_media, m_store);
}

// ---- State ----

void WidgetRootView::refresh()
{
    const bool reduce = m_reduceMotion->isOn();
    watchCelebrations();
    m_tile->refresh();
    m_card->refresh();

    const auto tint = m_ambient ? m_ambient->sceneTint() : std::nullopt;
    const std::optional<Animation> backdrop = reduce ? std::nullopt : std::optional(kBackdropChange);
    if (tint)
        m_sceneTint.start(*tint, m_sceneTintPresence.value() > 0 ? backdrop : std::nullopt);
    const double presence = tint ? 1.0 : 0.0;
    if (presence != m_sceneTintPresence.target())
        m_sceneTintPresence.start(presence, veltrane::Motion::adaptive(kBackdropChange, reduce));

    const double height = expandedHeight();
    if (height != m_lastExpandedHeight) {
        m_lastExpandedHeight = height;
        if (m_controller.isExpanded() && !reduce)
            m_cardHeight.start(height, kHeightChange);
        else
            m_cardHeight.jumpTo(height);
        emit expandedHeightChanged(height);
    }
    update();
}

void WidgetRootView::applyReduceMotion()
{
    if (m_reduceMotion->isOn()) {
        // Whatever is under way lands at once.
        m_wiggle.finish();
        m_scale.finish();
    }
    refresh();
}

void WidgetRootView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_context) {
        m_context->palette = ViewPalette::from(palette());
        update();
    }
}

veltrane::ScheduledTask WidgetRootView::later(veltrane::Seconds delay, std::function<void()> work)
{
    std::weak_ptr<bool> alive = m_alive;
    return m_environment.scheduler->schedule(delay, [alive, work = std::move(work)] {
        if (const auto living = alive.lock(); living && *living)
            work();
    });
}

// ---- Hover, expansion and collapse ----

void WidgetRootView::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    setHovering(true);
}

void WidgetRootView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    setHovering(false);
}

void WidgetRootView::setHovering(bool hovering)
{
    m_hovering = hovering;
    m_controller.setHovered(hovering);
    m_collapseWork.cancel();
    if (!hovering) {
        m_card->setHovered(std::nullopt);
        if (m_controller.isExpanded() && !m_controller.suppressCollapse())
            m_collapseWork = later(kCollapseDelay, [this] { m_controller.setExpanded(false); });
    }
}

void WidgetRootView::expandedChanged()
{
    const bool reduce = m_reduceMotion->isOn();
    if (m_controller.isExpanded()) {
        m_collapseWork.cancel();
        m_cardHeight.jumpTo(expandedHeight());
        m_card->setShown(true);
        m_expansion.start(1.0, veltrane::Motion::expandIfPossible(reduce));
    } else {
        m_tile->setShown(true);
        m_card->closePopups();
        m_card->setHovered(std::nullopt);
        m_expansion.start(0.0, veltrane::Motion::collapseIfPossible(reduce));
    }
    refresh();
}

// ---- Celebrations ----

void WidgetRootView::watchCelebrations()
{
    const SessionPhase phase = m_controller.phase();
    if (m_lastPhase && *m_lastPhase != phase) {
        if (*m_lastPhase == SessionPhase::focusing && isBreak(phase))
            m_pendingSessionComplete = true;
        if (!m_reduceMotion->isOn()) {
            ++m_wiggleTrigger;
            m_wiggle.play();
        }
    }
    m_lastPhase = phase;

    const double goal = m_controller.goalProgress();
    if (m_lastGoalProgress < 1.0 && goal >= 1.0)
        m_pendingGoalReached = true;
    m_lastGoalProgress = goal;

    // The controller reports the goal before the phase that the same finished block starts, so
    // both are looked at together on the next turn: the phase first, then the goal, whose toast
    // then stays on top.
    if ((m_pendingSessionComplete || m_pendingGoalReached) && !m_celebrationCheck.isPending())
        m_celebrationCheck = later(0, [this] { runCelebrations(); });
}

void WidgetRootView::runCelebrations()
{
    if (std::exchange(m_pendingSessionComplete, false))
        celebrate(CardTexts::kSessionComplete);
    if (std::exchange(m_pendingGoalReached, false))
        celebrate(CardTexts::kDailyGoalReached);
}

void WidgetRootView::celebrate(const QString& text)
{
    const bool reduce = m_reduceMotion->isOn();
    if (!reduce) {
        const std::vector<QColor> colors { m_controller.accent(), Colors::streak(), Colors::breakPhase() };
        m_confetti = std::make_unique<ConfettiBurst>(*m_environment.ticker,
            veltrane::ConfettiPiece::random(colors, kConfettiPieces, m_random), [this] { update(); });
        m_confettiShown = true;
        later(kConfettiDuration, [this] {
            m_confettiShown = false;
            m_confetti.reset();
            update();
        });
        m_celebrateScale = true;
        m_scale.start(kCelebrationScale, kSwellUp);
        later(kSwellDuration, [this] {
            m_celebrateScale = false;
            m_scale.start(1.0, kSwellBack);
        });
    }
    // A newer celebration simply replaces the text; the earlier timers still run.
    m_celebration = text;
    m_toast.show(text, reduce);
    later(kToastDuration, [this] {
        m_celebration.reset();
        m_toast.hide(m_reduceMotion->isOn());
        update();
    });
    update();
}

// ---- Geometry ----

QRectF WidgetRootView::alignedRect(QSizeF size) const
{
    using Horizontal = veltrane::WidgetAnchor::Horizontal;
    using Vertical = veltrane::WidgetAnchor::Vertical;
    const veltrane::WidgetAnchor anchor = m_controller.widgetAnchor();
    const double margin = WidgetMetrics::panelMargin;
    QRectF inner(rect());
    double x = inner.center().x() - size.width() / 2;
    if (anchor.horizontal == Horizontal::leading)
        x = inner.left() + margin;
    else if (anchor.horizontal == Horizontal::trailing)
        x = inner.right() - margin - size.width();
    double y = inner.center().y() - size.height() / 2;
    if (anchor.vertical == Vertical::top)
        y = inner.top() + margin;
    else if (anchor.vertical == Vertical::bottom)
        y = inner.bottom() - margin - size.height();
    return { QPointF(x, y), size };
}

double WidgetRootView::toastMaxWidth() const
{
    return m_controller.isExpanded() ? width() - 2 * kToastMargin : CollapsedTileView::celebrationArea().width();
}

QRectF WidgetRootView::toastRect() const
{
    const double maxWidth = toastMaxWidth();
    if (!m_controller.isExpanded()) {
        const QRectF area = CollapsedTileView::celebrationArea().translated(tileRect().topLeft());
        const QSizeF size = m_toast.capsule({}, maxWidth).size();
        return { area.center().x() - size.width() / 2, area.center().y() - size.height() / 2, size.width(), size.height() };
    }
    const QRectF background = backgroundRect();
    const QRectF capsule = m_toast.capsule(QPointF(background.center().x(), background.top() + kToastTop), maxWidth);
    const double half = capsule.width() / 2;
    const double x = std::clamp(capsule.center().x(), kToastMargin + half, std::max(kToastMargin + half, width() - kToastMargin - half));
    return capsule.translated(x - capsule.center().x(), 0);
}

QPointF WidgetRootView::anchorUnitPoint() const
{
    using Horizontal = veltrane::WidgetAnchor::Horizontal;
    using Vertical = veltrane::WidgetAnchor::Vertical;
    const veltrane::WidgetAnchor anchor = m_controller.widgetAnchor();
    const double x = anchor.horizontal == Horizontal::leading ? 0 : anchor.horizontal == Horizontal::trailing ? 1 : 0.5;
    const double y = anchor.vertical == Vertical::top ? 0 : anchor.vertical == Vertical::bottom ? 1 : 0.5;
    return { x, y };
}

QRectF WidgetRootView::tileRect() const
{
    return alignedRect(QSizeF(WidgetMetrics::collapsed.width, WidgetMetrics::collapsed.height));
}

QRectF WidgetRootView::cardRect() const
{
    return alignedRect(QSizeF(WidgetMetrics::expanded.width, m_cardHeight.value()));
}

QRectF WidgetRootView::backgroundRect() const
{
    // Under reduce motion the backdrop takes its new size at once; only the contents crossfade.
    const double t = m_reduceMotion->isOn() ? (m_controller.isExpanded() ? 1.0 : 0.0) : m_expansion.value();
    const double width = std::max(1.0, lerp(WidgetMetrics::collapsed.width, WidgetMetrics::expanded.width, t));
    const double height = std::max(1.0, lerp(WidgetMetrics::collapsed.height, m_cardHeight.value(), t));
    return alignedRect(QSizeF(width, height));
}

QTransform WidgetRootView::contentTransform() const
{
    const QPointF center = QRectF(rect()).center();
    const WiggleValues wiggle = m_wiggle.value();
    const double scale = m_scale.value() * wiggle.scale;
    QTransform transform;
    transform.translate(center.x(), center.y());
    transform.rotate(wiggle.angle);
    transform.scale(scale, scale);
    transform.translate(-center.x(), -center.y());
    return transform;
}

void WidgetRootView::repaintArea(const QRectF& area)
{
    update(contentTransform().mapRect(area).toAlignedRect().adjusted(-1, -1, 1, 1));
}

QPointF WidgetRootView::toCard(QPointF position) const
{
    return contentTransform().inverted().map(position) - cardRect().topLeft();
}

std::optional<CardTarget> WidgetRootView::cardTargetAt(QPointF position) const
{
    if (!m_controller.isExpanded())
        return std::nullopt;
    return m_card->hitTest(toCard(position));
}

QRectF WidgetRootView::cardTargetRect(const CardTarget& target) const
{
    return contentTransform().mapRect(m_card->targetRect(target).translated(cardRect().topLeft()));
}

// ---- Input ----

void WidgetRootView::mousePressEvent(QMouseEvent* event)
{
    const auto target = cardTargetAt(event->position());
    if (!target) {
        // Left to the panel: a click expands the tile, a drag moves the widget.
        event->ignore();
        return;
    }
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = target;
    m_pressX = toCard(event->position()).x();
    m_draggingChips = false;
    if (target->kind == CardTarget::Kind::volume)
        m_card->dragVolume(m_pressX);
}

void WidgetRootView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed) {
        const double x = toCard(event->position()).x();
        if (m_pressed->kind == CardTarget::Kind::volume)
            m_card->dragVolume(x);
        // A press on the chips that moves sideways drags them (and is then no tap).
        const bool onChips = m_pressed->kind == CardTarget::Kind::soundChip
            || m_pressed->kind == CardTarget::Kind::importSounds || m_pressed->kind == CardTarget::Kind::chipRow;
        if (onChips && !m_draggingChips && std::abs(x - m_pressX) >= QGuiApplication::styleHints()->startDragDistance())
            m_draggingChips = true;
        if (m_draggingChips) {
            m_card->dragChips(x - m_pressX);
            m_pressX = x;
        }
        event->accept();
        return;
    }
    const auto target = cardTargetAt(event->position());
    m_card->setHovered(target);
    // The band between the chips takes a drag but is nothing to click.
    const bool clickable = target && target->kind != CardTarget::Kind::chipRow;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    event->ignore();
}

void WidgetRootView::mouseReleaseEvent(QMouseEvent* event)
{
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed) {
        event->ignore();
        return;
    }
    event->accept();
    if (event->button() != Qt::LeftButton || pressed->kind == CardTarget::Kind::volume
        || std::exchange(m_draggingChips, false))
        return;
    if (cardTargetAt(event->position()) != pressed)
        return;
    m_card->activate(*pressed, m_context->cardAreaOnScreen(m_card->targetRect(*pressed)));
}

void WidgetRootView::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const double step = delta.x() != 0 ? delta.x() : delta.y();
    if (m_controller.isExpanded() && step != 0 && m_card->scroll(toCard(event->position()), step))
        event->accept();
    else
        event->ignore();
}

void WidgetRootView::contextMenuEvent(QContextMenuEvent* event)
{
    const auto target = cardTargetAt(event->pos());
    if (!target || target->kind != CardTarget::Kind::soundChip || !m_ambient) {
        event->ignore();
        return;
    }
    const auto sound = m_card->ambientView().userSound(target->index);
    if (!sound) {
        event->ignore();
        return;
    }
    event->accept();
    QMenu menu(this);
    QAction* remove = menu.addAction(CardTexts::removeSoundAction(sound->second));
    const std::string id = sound->first;
    connect(remove, &QAction::triggered, this, [this, id] { m_ambient->deleteUserSound(id); });
    menu.exec(event->globalPos());
}

// ---- Painting ----

QImage WidgetRootView::renderToImage(double devicePixelRatio)
{
    QImage image((QSizeF(size()) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintContent(painter);
    return image;
}

void WidgetRootView::reportInteractiveRegion()
{
    veltrane::FloatingPanel::reportInteractiveRegion(
        *this, contentTransform().mapRect(backgroundRect()).toAlignedRect());
}

void WidgetRootView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reportInteractiveRegion();
}

void WidgetRootView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    reportInteractiveRegion();
}

void WidgetRootView::paintEvent(QPaintEvent*)
{
    reportInteractiveRegion();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintContent(painter);
}

void WidgetRootView::paintContent(QPainter& painter)
{
    const double value = m_controller.settings().widgetOpacity();
    const double opacity = std::isnan(value) ? 1.0 : std::clamp(value, 0.0, 1.0);
    if (opacity >= 1) {
        paintLayer(painter);
        return;
    }
    // The widget fades as one picture: its layers are composed first, then drawn translucent.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_fadeBuffer.size() != pixels || m_fadeBuffer.devicePixelRatio() != ratio) {
        m_fadeBuffer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_fadeBuffer.setDevicePixelRatio(ratio);
    }
    m_fadeBuffer.fill(Qt::transparent);
    {
        QPainter layerPainter(&m_fadeBuffer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        paintLayer(layerPainter);
    }
    painter.save();
    painter.setOpacity(opacity);
    painter.drawImage(QPointF(0, 0), m_fadeBuffer);
    painter.restore();
}

void WidgetRootView::paintLayer(QPainter& painter)
{
    const bool reduce = m_reduceMotion->isOn();
    const bool expanded = m_controller.isExpanded();
    painter.setTransform(contentTransform(), true);

    const double t = m_expansion.value();
    const QRectF background = backgroundRect();
    const double geometry = reduce ? (expanded ? 1.0 : 0.0) : t;
    CardBackground look;
    look.palette = m_context->palette;
    look.cornerRadius = lerp(Radius::tile, Radius::panel, std::clamp(geometry, 0.0, 1.0));
    look.wash = m_theme ? m_theme->backgroundWash() : std::nullopt;
    look.sceneTint = m_sceneTint.value();
    look.sceneTintPresence = m_sceneTintPresence.value();
    look.hovered = m_controller.isHovered();
    const double extent = CardBackground::shadowExtent();
    const auto wash = look.wash ? layerKey(look.wash->stops.front().second.rgba(), look.wash->stops.back().second.rgba())
                                : QByteArray();
    m_backdropLayer.draw(painter, background.adjusted(-extent, -extent, extent, extent),
        layerKey(background.size(), look.cornerRadius, look.palette.windowBackground.rgba(), wash,
            look.sceneTint.rgba(), look.sceneTintPresence, look.hovered),
        [&](QPainter& layer) {
            const QRectF local(QPointF(extent, extent), background.size());
            look.paintShadows(layer, local);
            look.paint(layer, local);
        });

    painter.save();
    painter.setClipPath(look.shape(background), Qt::IntersectClip);
    // The card appears at once (its rows reveal themselves) and fades when it goes; the tile
    // fades out, and comes back growing from its anchored corner.
    const double cardOpacity = expanded ? 1.0 : std::clamp(t, 0.0, 1.0);
    if (cardOpacity > 0 && (expanded || m_card->isShown())) {
        painter.setOpacity(cardOpacity);
        m_card->paint(painter, cardRect());
    }
    const double tileOpacity = std::clamp(1.0 - t, 0.0, 1.0);
    if (tileOpacity > 0) {
        const QRectF tile = tileRect();
        painter.save();
        painter.setOpacity(tileOpacity);
        if (!expanded && !reduce) {
            const QPointF unit = anchorUnitPoint();
            const QPointF pivot(tile.left() + unit.x() * tile.width(), tile.top() + unit.y() * tile.height());
            const double scale = lerp(kTileInsertScale, 1.0, tileOpacity);
            painter.translate(pivot);
            painter.scale(scale, scale);
            painter.translate(-pivot);
        }
        m_tile->paint(painter, tile);
        painter.restore();
    }
    if (m_confettiShown && m_confetti && !reduce) {
        painter.setOpacity(1.0);
        m_confetti->paint(painter, background);
    }
    painter.restore();

    if (m_toast.isVisible()) {
        const QRectF toast = toastRect();
        painter.setOpacity(1.0);
        m_toast.paint(painter, QPointF(toast.center().x(), toast.top()), toastMaxWidth(), m_controller.accent());
    }
}

} // namespace moorlet
