#include "Moorlet/Views/PaintText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace moorlet {

void drawElidedText(QPainter& painter, const QRectF& box, Qt::Alignment alignment, const QString& text)
{
    painter.drawText(box, alignment, QFontMetricsF(painter.font()).elidedText(text, Qt::ElideRight, box.width()));
}

QStringList wrappedLines(const QString& text, const QFont& font, double width, int maxLines)
{
    QStringList lines;
    qsizetype lastStart = 0;
    qsizetype end = 0;
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (lines.size() < maxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
        lastStart = line.textStart();
        end = line.textStart() + line.textLength();
    }
    layout.endLayout();
    if (!lines.isEmpty() && end < text.size())
        lines.last() = QFontMetricsF(font).elidedText(text.mid(lastStart).trimmed(), Qt::ElideRight, width);
    return lines;
}

} // namespace moorlet
