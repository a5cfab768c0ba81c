#include "Moorlet/Views/SubjectPickerPopover.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/SubjectListView.h"
#include "Moorlet/Views/ViewContext.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace moorlet {

SubjectPickerPopover::SubjectPickerPopover(ViewContext& context, QWidget* parent)
    : CardPopup(context, parent)
{
    QVBoxLayout* layout = makeColumn();
    m_list = new SubjectListView(context);
    m_scroll = makeScrollArea(m_list);
    layout->addWidget(m_scroll);
    connect(m_list, &SubjectListView::chosen, this, &QWidget::hide);

    layout->addWidget(new PopupDivider(context, this));
    m_field = makeField(CardTexts::kAddSubjectPrompt, QStringLiteral("plus.circle.fill"));
    connect(m_field, &QLineEdit::returnPressed, this, &SubjectPickerPopover::add);
    layout->addWidget(m_field);

    FocusSettings& settings = context.controller.focusSettings();
    for (const auto signal : { &FocusSettings::subjectsChanged, &FocusSettings::defaultSubjectChanged })
        connect(&settings, signal, this, &SubjectPickerPopover::reload);
    connect(&context.controller, &FocusController::currentSubjectChanged, this, &SubjectPickerPopover::reload);
    reload();
}

void SubjectPickerPopover::reload()
{
    m_list->reload();
    fitRows(m_scroll, static_cast<int>(m_list->entries().size()), SubjectListView::kRowHeight, kVisibleRows);
    adjustSize();
}

void SubjectPickerPopover::add()
{
    const QString name = m_field->text().trimmed();
    m_field->clear();
    if (name.isEmpty())
        return;
    m_context.controller.focusSettings().addSubject(name);
    m_context.controller.setCurrentSubject(name);
    hide();
}

QWidget* SubjectPickerPopover::initialFocus() const
{
    return m_field;
}

} // namespace moorlet
