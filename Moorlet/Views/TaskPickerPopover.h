#pragma once

#include "Moorlet/Views/CardPopup.h"

class QLabel;
class QLineEdit;
class QScrollArea;

namespace moorlet {

class PlainTextButton;
class TaskListView;

// The task picker's popover: a field that adds a task (and makes it the active one), then either
// a word of encouragement when there are no tasks or the list of tasks, then, once any task is
// done, a button that clears the done ones.
class TaskPickerPopover : public CardPopup {
    Q_OBJECT

public:
    // The list scrolls beyond this many rows.
    static constexpr int kVisibleRows = 6;

    TaskPickerPopover(ViewContext& context, QWidget* parent);

    QLineEdit* field() const { return m_field; }
    TaskListView* list() const { return m_list; }
    QLabel* emptyText() const { return m_empty; }
    PlainTextButton* clearButton() const { return m_clear; }

    // Adds a task titled as the field says; a task the store accepts becomes the active one. The
    // field is emptied either way.
    void add();

protected:
    QWidget* initialFocus() const override;

private:
    void reload();

    QLineEdit* m_field;
    QWidget* m_topDivider;
    QLabel* m_empty;
    QScrollArea* m_scroll;
    TaskListView* m_list;
    QWidget* m_bottomDivider;
    PlainTextButton* m_clear;
};

} // namespace moorlet
