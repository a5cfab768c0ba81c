#include "Moorlet/Views/IntentionPopover.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ViewContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace moorlet {

namespace {

constexpr int kKeysTextSize = 10;

} // namespace

IntentionPopover::IntentionPopover(ViewContext& context, QWidget* parent)
    : CardPopup(context, parent)
{
    QVBoxLayout* layout = makeColumn();
    m_field = makeField(CardTexts::kIntentionPrompt);
    connect(m_field, &QLineEdit::returnPressed, this, &IntentionPopover::keep);
    layout->addWidget(m_field);
    layout->addWidget(new PopupDivider(context, this));

    m_keys = makeNote(CardTexts::kIntentionKeys, kKeysTextSize);
    layout->addWidget(m_keys);
}

void IntentionPopover::keep()
{
    m_context.controller.setIntention(m_field->text().trimmed());
    hide();
}

QWidget* IntentionPopover::initialFocus() const
{
    return m_field;
}

void IntentionPopover::showEvent(QShowEvent* event)
{
    CardPopup::showEvent(event);
    m_field->setText(m_context.controller.intention());
    m_field->selectAll();
}

} // namespace moorlet
