#include "Moorlet/Views/TaskPickerPopover.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PlainTextButton.h"
#include "Moorlet/Views/TaskListView.h"
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
namespace Spacing = veltrane::DesignTokens::Spacing;

constexpr int kAnchorGap = 6;
constexpr double kFieldSymbolSize = 14;
constexpr int kEmptyTextSize = 12;
constexpr double kBorderWidth = 0.5;
// Dividers and the border are the tertiary text colour at this opacity.
constexpr double kHairlineOpacity = 0.5;

// A hairline across the popover.
class Divider final : public QWidget {
public:
    Divider(const ViewContext& context, QWidget* parent)
        : QWidget(parent)
        , m_context(context)
    {
        setFixedHeight(1);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), veltrane::withOpacity(m_context.palette.textTertiary, kHairlineOpacity));
    }

private:
    const ViewContext& m_context;
};

} // namespace

TaskPickerPopover::TaskPickerPopover(ViewContext& context, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_context(context)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // The popover takes the host's palette, so a forced light or dark look carries over.
    setAttribute(Qt::WA_WindowPropagation);
    // The click outside that closes the popover is not passed on: a click on the task button
    // closes it rather than opening it again.
    setAttribute(Qt::WA_NoMouseReplay);
    setFixedWidth(kWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    layout->setSpacing(static_cast<int>(Spacing::xs));

    m_field = new QLineEdit(this);
    m_field->setPlaceholderText(CardTexts::kAddTaskPrompt);
    m_field->setFont(veltrane::DesignTokens::Typography::label().font());
    m_field->setFrame(false);
    const int iconPixels = static_cast<int>(veltrane::SymbolPainter::box({}, kFieldSymbolSize).width() * devicePixelRatioF());
    QAction* submit = m_field->addAction(
        QIcon(QPixmap::fromImage(veltrane::SymbolPainter::image(
            QStringLiteral("plus.circle.fill"), QSize(iconPixels, iconPixels), context.accent()))),
        QLineEdit::TrailingPosition);
    connect(submit, &QAction::triggered, this, &TaskPickerPopover::add);
    connect(m_field, &QLineEdit::returnPressed, this, &TaskPickerPopover::add);
    layout->addWidget(m_field);

    m_topDivider = new Divider(context, this);
    layout->addWidget(m_topDivider);

    m_empty = new QLabel(CardTexts::kNoTasks, this);
    m_empty->setWordWrap(true);
    QFont emptyFont = veltrane::DesignTokens::Typography::label().font();
    emptyFont.setPixelSize(kEmptyTextSize);
    m_empty->setFont(emptyFont);
    QPalette emptyPalette = m_empty->palette();
    emptyPalette.setColor(QPalette::WindowText, context.palette.textSecondary);
    m_empty->setPalette(emptyPalette);
    layout->addWidget(m_empty);

    m_list = new TaskListView(context);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_list);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->setAutoFillBackground(false);
    layout->addWidget(m_scroll);

    m_bottomDivider = new Divider(context, this);
    layout->addWidget(m_bottomDivider);
    m_clear = new PlainTextButton(QStringLiteral("trash"), CardTexts::kClearCompleted, this);
    m_clear->setColor(context.palette.textSecondary);
    connect(m_clear, &QAbstractButton::clicked, this, [this] { m_context.store.clearCompletedTasks(); });
    layout->addWidget(m_clear, 0, Qt::AlignLeft);

    connect(&context.store, &LocalDataStore::tasksChanged, this, &TaskPickerPopover::reload);
    connect(&context.controller, &FocusController::activeTaskIDChanged, m_list, qOverload<>(&QWidget::update));
    reload();
}

void TaskPickerPopover::reload()
{
    m_list->reload();
    const auto& tasks = m_context.store.tasks();
    const bool empty = tasks.empty();
    const bool anyDone = std::any_of(tasks.begin(), tasks.end(), [](const FocusTask& task) { return task.done; });
    m_empty->setVisible(empty);
    m_scroll->setVisible(!empty);
    const int rows = static_cast<int>(tasks.size());
    m_scroll->setVerticalScrollBarPolicy(rows > kVisibleRows ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_scroll->setFixedHeight(std::min(rows, kVisibleRows) * TaskListView::kRowHeight);
    m_bottomDivider->setVisible(anyDone);
    m_clear->setVisible(anyDone);
    adjustSize();
}

void TaskPickerPopover::add()
{
    const std::string title = m_field->text().toStdString();
    if (const auto task = m_context.store.addTask(title))
        m_context.controller.setActiveTask(*task);
    m_field->clear();
}

void TaskPickerPopover::showBeside(const QRect& anchor)
{
    adjustSize();
    // The layout would like more width than the fixed 240 points it gets.
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
    m_field->setFocus(Qt::PopupFocusReason);
}

void TaskPickerPopover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    painter.setPen(QPen(veltrane::withOpacity(m_context.palette.textTertiary, kHairlineOpacity), kBorderWidth));
    // Opaque: the popover's own window may not be composited, and the card's text must not show
    // through it where it is.
    painter.setBrush(m_context.palette.material(veltrane::Material::windowBackground));
    painter.drawRoundedRect(frame, Radius::small, Radius::small);
}

void TaskPickerPopover::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit closed();
}

} // namespace moorlet
