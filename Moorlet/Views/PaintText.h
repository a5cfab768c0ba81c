#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace moorlet {

// Draws one line of text in `box` with the painter's font and pen, cut short with an ellipsis
// where it does not fit.
void drawElidedText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text);

} // namespace moorlet
