#pragma once

#include "Moorlet/Views/CardPopup.h"

class QLineEdit;
class QScrollArea;

namespace moorlet {

class SubjectListView;

// The subject menu: the subjects to tag the next blocks with, then a field that adds a subject
// to the settings and chooses it. Choosing closes the menu.
class SubjectPickerPopover : public CardPopup {
    Q_OBJECT

public:
    // The list scrolls beyond this many rows.
    static constexpr int kVisibleRows = 7;

    SubjectPickerPopover(ViewContext& context, QWidget* parent);

    SubjectListView* list() const { return m_list; }
    QLineEdit* field() const { return m_field; }

    // Adds the subject the field names to the settings (they trim it and refuse an empty or a
    // repeated name) and chooses it, then closes; an empty field does nothing.
    void add();

protected:
    QWidget* initialFocus() const override;

private:
    void reload();

    QScrollArea* m_scroll;
    SubjectListView* m_list;
    QLineEdit* m_field;
};

} // namespace moorlet
