#pragma once

#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QFont>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPainter;

namespace moorlet {

// The capsule that announces a celebration ("Session complete", "Daily goal reached"): white
// text on the accent (a deep shade of the accent where white would not read) with a soft shadow.
// Where the room is narrower than the text (on the collapsed tile) it takes a smaller type over
// two lines. It springs in from 0.8 of its size while fading in and leaves the same way; under
// reduce motion it only fades.
class CelebrationToast {
public:
    explicit CelebrationToast(veltrane::FrameTicker& ticker);

    // Shows the text (a newer text simply replaces the one shown).
    void show(const QString& text, bool reduceMotion);
    void hide(bool reduceMotion);
    void setOnFrame(std::function<void()> onFrame) { m_presence.onFrame = std::move(onFrame); }

    // The text announced, none once hidden (it stays drawn while fading out).
    const std::optional<QString>& text() const { return m_text; }
    double presence() const { return m_presence.value(); }
    bool isVisible() const { return m_presence.value() > 0; }

    // The capsule at rest, its top edge centred on `topCenter`, at most `maxWidth` wide.
    QRectF capsule(QPointF topCenter, double maxWidth) const;
    void paint(QPainter& painter, QPointF topCenter, double maxWidth, const QColor& accent) const;

private:
    struct Shape {
        QFont font;
        QStringList lines;
        QSizeF size;
    };
    Shape shape(double maxWidth) const;

    std::optional<QString> m_text;
    QString m_drawnText;
    bool m_reduceMotion = false;
    veltrane::AnimatedValue<double> m_presence;
};

} // namespace moorlet
