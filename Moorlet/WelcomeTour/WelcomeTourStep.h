#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

namespace moorlet {

// One page of the welcome tour: a coloured hero with a symbol, a heading, a paragraph and, on one
// page, numbered points.
struct WelcomeTourStep {
    // A symbol of the kit's catalogue.
    QString icon;
    // The hero's colour, and the points' circles.
    QColor tint;
    QString title;
    QString body;
    QStringList checklist;

    // The tour's pages, in order.
    static const std::vector<WelcomeTourStep>& all();
};

} // namespace moorlet
