#include "Moorlet/Views/TaskPickerPopover.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PlainTextButton.h"
#include "Moorlet/Views/TaskListView.h"
#include "Moorlet/Views/ViewContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace moorlet {

namespace {

constexpr int kEmptyTextSize = 12;

} // namespace

TaskPickerPopover::TaskPickerPopover(ViewContext& context, QWidget* parent)
    : CardPopup(context, parent)
{
    QVBoxLayout* layout = makeColumn();

    m_field = makeField(CardTexts::kAddTaskPrompt, QStringLiteral("plus.circle.fill"));
    connect(m_field, &QLineEdit::returnPressed, this, &TaskPickerPopover::add);
    layout->addWidget(m_field);

    m_topDivider = new PopupDivider(context, this);
    layout->addWidget(m_topDivider);

    m_empty = makeNote(CardTexts::kNoTasks, kEmptyTextSize);
    layout->addWidget(m_empty);

    m_list = new TaskListView(context);
    m_scroll = makeScrollArea(m_list);
    layout->addWidget(m_scroll);

    m_bottomDivider = new PopupDivider(context, this);
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
    fitRows(m_scroll, static_cast<int>(tasks.size()), TaskListView::kRowHeight, kVisibleRows);
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

QWidget* TaskPickerPopover::initialFocus() const
{
    return m_field;
}

} // namespace moorlet
