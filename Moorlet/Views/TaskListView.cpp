#include "Moorlet/Views/TaskListView.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace moorlet {

namespace {

constexpr double kTickSymbolSize = 15;
constexpr double kTickWidth = 24;
constexpr double kRemoveSymbolSize = 9;
constexpr double kRemoveWidth = 22;
constexpr double kScopeSymbolSize = 11;
constexpr double kGap = 6;
constexpr double kActiveFillOpacity = 0.1;
constexpr double kActiveRadius = 8;
const veltrane::TypeStyle kTitleStyle { 13, QFont::Normal, veltrane::FontDesign::rounded, false };
const veltrane::TypeStyle kTimeStyle { 10, QFont::Normal, veltrane::FontDesign::rounded, true };

} // namespace

TaskListView::TaskListView(ViewContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setAutoFillBackground(false);
    setCursor(Qt::PointingHandCursor);
    reload();
}

void TaskListView::reload()
{
    m_tasks = m_context.store.sortedTasks();
    setFixedHeight(static_cast<int>(m_tasks.size()) * kRowHeight);
    updateGeometry();
    update();
}

QSize TaskListView::sizeHint() const
{
    return { width(), static_cast<int>(m_tasks.size()) * kRowHeight };
}

QRectF TaskListView::partRect(int index, Part part) const
{
    const QRectF row(0, index * kRowHeight, width(), kRowHeight);
    switch (part) {
    case Part::tick:
        return { row.left(), row.top(), kTickWidth, row.height() };
    case Part::remove:
        return { row.right() - kRemoveWidth, row.top(), kRemoveWidth, row.height() };
    case Part::row:
        return row;
    }
    return row;
}

void TaskListView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    const auto active = m_context.controller.activeTaskID();
    const QFont titleFont = kTitleStyle.font();
    const QFont timeFont = kTimeStyle.font();
    for (int i = 0; i < static_cast<int>(m_tasks.size()); ++i) {
        const FocusTask& task = m_tasks[static_cast<std::size_t>(i)];
        const QRectF row = partRect(i, Part::row);
        const bool isActive = active && *active == task.id;
        if (isActive) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(veltrane::withOpacity(accent, kActiveFillOpacity));
            painter.drawRoundedRect(row, kActiveRadius, kActiveRadius);
        }
        veltrane::SymbolPainter::paint(painter, partRect(i, Part::tick).center(), kTickSymbolSize,
            task.done ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
            task.done ? accent : palette.textSecondary);
        const QRectF remove = partRect(i, Part::remove);
        veltrane::SymbolPainter::paint(
            painter, remove.center(), kRemoveSymbolSize, QStringLiteral("xmark"), palette.textTertiary);

        // From the right: the scope mark, then the logged time; the title takes what is left.
        double right = remove.left() - kGap;
        if (isActive) {
            veltrane::SymbolPainter::paint(painter, QPointF(right - kScopeSymbolSize / 2, row.center().y()),
                kScopeSymbolSize, QStringLiteral("scope"), accent);
            right -= kScopeSymbolSize + kGap;
        }
        if (task.loggedSeconds > 0) {
            const QString time = CardTexts::taskTimeLabel(task.loggedSeconds);
            const double width = QFontMetricsF(timeFont).horizontalAdvance(time);
            painter.setFont(timeFont);
            painter.setPen(palette.textSecondary);
            painter.drawText(QRectF(right - width, row.top(), width, row.height()), Qt::AlignRight | Qt::AlignVCenter, time);
            right -= width + kGap;
        }
        const QRectF title(kTickWidth + kGap / 2, row.top(), right - kTickWidth - kGap / 2, row.height());
        painter.setFont(titleFont);
        painter.setPen(task.done ? palette.textSecondary : palette.textPrimary);
        drawElidedText(painter, title, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(task.title));
    }
}

std::optional<TaskListView::Hit> TaskListView::hitTest(QPointF point) const
{
    const int index = static_cast<int>(point.y()) / kRowHeight;
    if (point.y() < 0 || index >= static_cast<int>(m_tasks.size()) || point.x() < 0 || point.x() > width())
        return std::nullopt;
    for (const Part part : { Part::tick, Part::remove }) {
        if (partRect(index, part).contains(point))
            return Hit { index, part };
    }
    return Hit { index, Part::row };
}

void TaskListView::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? hitTest(event->position()) : std::nullopt;
    event->setAccepted(m_pressed.has_value());
}

void TaskListView::mouseReleaseEvent(QMouseEvent* event)
{
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (event->button() != Qt::LeftButton || !pressed || hitTest(event->position()) != pressed)
        return;
    act(*pressed);
}

void TaskListView::act(const Hit& hit)
{
    // A copy: every action below may change the list.
    const FocusTask task = m_tasks[static_cast<std::size_t>(hit.index)];
    switch (hit.part) {
    case Part::tick:
        m_context.store.toggleTask(task.id);
        break;
    case Part::remove:
        m_context.store.deleteTask(task.id);
        break;
    case Part::row: {
        const auto active = m_context.controller.activeTaskID();
        if (active && *active == task.id)
            m_context.controller.setActiveTask(std::nullopt);
        else
            m_context.controller.setActiveTask(task);
        update();
        break;
    }
    }
}

} // namespace moorlet
