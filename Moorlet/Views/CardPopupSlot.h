#pragma once

#include "Moorlet/Views/CardPopup.h"

#include <QPointer>
#include <QRect>

#include <functional>

namespace moorlet {

struct ViewContext;

// One of the card's popups, made when it first opens. While it shows, the controller is asked
// not to collapse the card (the pointer is over the popup, outside the widget); once no popup of
// the card shows any more, that is lifted again.
class CardPopupSlot {
public:
    CardPopupSlot(ViewContext& context, std::function<CardPopup*(ViewContext&, QWidget* host)> make);
    ~CardPopupSlot();
    CardPopupSlot(const CardPopupSlot&) = delete;
    CardPopupSlot& operator=(const CardPopupSlot&) = delete;

    bool isShowing() const { return m_showing; }
    // Opens the popup beside `anchor` (its button's rectangle on screen), or closes it.
    void toggle(const QRect& anchor);
    void setShowing(bool showing, const QRect& anchor = {});
    // The popup, once it has been opened.
    CardPopup* popup() const { return m_popup; }

private:
    ViewContext& m_context;
    std::function<CardPopup*(ViewContext&, QWidget*)> m_make;
    QPointer<CardPopup> m_popup;
    bool m_showing = false;
};

} // namespace moorlet
