#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

class QFont;

class QPainter;

namespace moorlet {

// Draws one line of text in `box` with the painter's font and pen, cut short with an ellipsis
// where it does not fit.
void drawElidedText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text);

// The text broken at word boundaries into at most `maxLines` lines of `width` in `font`, the last
// cut short with an ellipsis where the text goes on.
QStringList wrappedLines(const QString& text, const QFont& font, double width, int maxLines);

} // namespace moorlet
