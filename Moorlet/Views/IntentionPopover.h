#pragma once

#include "Moorlet/Views/CardPopup.h"

class QLabel;
class QLineEdit;

namespace moorlet {

// The one-line intention of the block, asked for when focus starts from the card and edited from
// the card's intention line. It opens with the current intention selected: Return keeps what the
// field says (an emptied field clears the intention), Escape or a click outside leaves the
// intention as it was.
class IntentionPopover : public CardPopup {
    Q_OBJECT

public:
    IntentionPopover(ViewContext& context, QWidget* parent);

    QLineEdit* field() const { return m_field; }
    // Makes the field's text, trimmed, the intention, and closes.
    void keep();

protected:
    QWidget* initialFocus() const override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_field;
    QLabel* m_keys;
};

} // namespace moorlet
