#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;
class QPalette;

namespace veltrane {

// A circular icon button: a prominent one is a 54-point disc of its tint with a white symbol
// (a deep shade of the tint where white would not read),
// a plain one a 36-point disc of ultra-thin material with a symbol in the primary text colour.
class PillButtonPainter {
public:
    PillButtonPainter(QString systemImage, QColor tint, bool prominent);

    const QString& systemImage() const { return m_systemImage; }
    const QColor& tint() const { return m_tint; }
    bool prominent() const { return m_prominent; }
    void setSystemImage(QString name) { m_systemImage = std::move(name); }
    void setTint(QColor tint) { m_tint = tint; }

    // The button's side in points.
    double diameter() const;
    // How far the shadow and the hover growth reach beyond the button's frame.
    double overhang() const;

    // Draws the button centred in `frame` (diameter() across) at `scale` about its centre. A
    // plain button's material and symbol take their colours from `palette`, which should be the
    // palette of the widget painted on; without one they come from the application's.
    void paint(QPainter& painter, const QRectF& frame, const QPalette& palette, double scale = 1.0) const;
    void paint(QPainter& painter, const QRectF& frame, double scale = 1.0) const;

private:
    QString m_systemImage;
    QColor m_tint;
    bool m_prominent;
};

} // namespace veltrane
