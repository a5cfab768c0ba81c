#pragma once

#include "Moorlet/Views/CardPopupSlot.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace moorlet {

class IntentionPopover;
class SubjectPickerPopover;
struct ViewContext;

// The card's row under the task picker: a chip with the subject the next blocks are tagged with
// (the one chosen, an active task's title, or the settings' default) that opens the subject
// menu, and beside it the block's one-line intention, or an invitation to set one, that opens
// the intention field.
class SubjectIntentionRow {
public:
    static constexpr double kHeight = 24;

    explicit SubjectIntentionRow(ViewContext& context);

    // The subject the next block takes, or "No subject".
    QString subjectTitle() const;
    // The intention, or "Set an intention".
    QString intentionText() const;

    // In the coordinates of `row`'s rectangle.
    QRectF subjectRect(const QRectF& row) const;
    QRectF intentionRect(const QRectF& row) const;

    CardPopupSlot& subjectMenu() { return m_subjectMenu; }
    CardPopupSlot& intentionField() { return m_intentionField; }
    SubjectPickerPopover* subjectPopover() const;
    IntentionPopover* intentionPopover() const;
    void closePopups();

    void paint(QPainter& painter, const QRectF& row) const;

private:
    ViewContext& m_context;
    CardPopupSlot m_subjectMenu;
    CardPopupSlot m_intentionField;
};

} // namespace moorlet
