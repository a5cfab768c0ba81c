#include "Moorlet/Views/PaintText.h"

#include <QFontMetricsF>
#include <QPainter>

namespace moorlet {

void drawElidedText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text)
{
    painter.drawText(box, alignment, QFontMetricsF(painter.font()).elidedText(text, Qt::ElideRight, box.width()));
}

} // namespace moorlet
