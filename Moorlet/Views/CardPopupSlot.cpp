#include "Moorlet/Views/CardPopupSlot.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/ViewContext.h"

namespace moorlet {

CardPopupSlot::CardPopupSlot(ViewContext& context, std::function<CardPopup*(ViewContext&, QWidget*)> make)
    : m_context(context)
    , m_make(std::move(make))
{
}

CardPopupSlot::~CardPopupSlot()
{
    if (m_popup) {
        // Closing on the way out must not reach back into a card that is going away.
        m_popup->disconnect();
        delete m_popup;
    }
    if (m_showing && --m_context.openPopups == 0)
        m_context.controller.setSuppressCollapse(false);
}

void CardPopupSlot::toggle(const QRect& anchor)
{
    setShowing(!m_showing, anchor);
}

void CardPopupSlot::setShowing(bool showing, const QRect& anchor)
{
    if (showing == m_showing)
        return;
    m_showing = showing;
    m_context.openPopups += showing ? 1 : -1;
    m_context.controller.setSuppressCollapse(m_context.openPopups > 0);
    if (showing) {
        if (!m_popup) {
            m_popup = m_make(m_context, &m_context.host);
            QObject::connect(m_popup, &CardPopup::closed, m_popup, [this] { setShowing(false); });
        }
        m_popup->showBeside(anchor);
    } else if (m_popup && m_popup->isVisible()) {
        m_popup->hide();
    }
    m_context.repaint();
}

} // namespace moorlet
