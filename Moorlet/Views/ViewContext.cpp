#include "Moorlet/Views/ViewContext.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/ReduceMotion.h"

namespace moorlet {

bool ViewContext::reducesMotion() const
{
    return reduceMotion.isOn();
}

QColor ViewContext::accent() const
{
    return controller.accent();
}

} // namespace moorlet
