#pragma once

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QString>

namespace moorlet {

class FocusController;

// What the tray item shows: the "timer" symbol in the phase's accent, and, while a phase is
// under way, the display time. Trays on Linux show icons only, so the time is the item's tooltip
// and title ("Moorlet" while idle).
//
// textChanged and iconChanged are emitted only on real change: the time text changes once a
// second although the controller ticks twice a second, and the icon only with the accent.
// Main thread only. The controller must outlive the label.
class MenuBarLabel : public QObject {
    Q_OBJECT

public:
    static constexpr auto kSymbol = "timer";
    static constexpr auto kIdleText = "Moorlet";

    explicit MenuBarLabel(FocusController& controller, QObject* parent = nullptr);

    // The display time while a phase is under way; empty while idle.
    const QString& timeText() const { return m_timeText; }
    // The tooltip and title: the time text, or kIdleText while idle.
    QString toolTip() const;
    const QIcon& icon() const { return m_icon; }

    // The symbol drawn in `tint` at the sizes trays ask for.
    static QIcon renderIcon(const QColor& tint);

signals:
    void textChanged();
    void iconChanged();

private:
    void updateText();
    void updateIcon();

    FocusController& m_controller;
    QString m_timeText;
    QColor m_tint;
    QIcon m_icon;
};

} // namespace moorlet
