#pragma once

#include "Moorlet/Views/ViewPalette.h"
#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/OneShotScheduler.h"

#include <QColor>
#include <QRect>
#include <QRectF>

#include <functional>

class QWidget;

namespace moorlet {

class AmbientController;
class FocusController;
class LocalDataStore;
class MediaController;
class ReduceMotion;
class ThemeProvider;

// What every part of the widget's views reads and acts on, owned by the root view and handed to
// its parts by reference. The parts keep no business state of their own.
struct ViewContext {
    FocusController& controller;
    LocalDataStore& store;
    // May be null: the card then has no ambient chips, no scene tint and no now-playing row.
    AmbientController* ambient;
    MediaController* media;
    // May be null: the background has no wash.
    ThemeProvider* theme;
    veltrane::FrameTicker& ticker;
    veltrane::OneShotSchedulerPtr scheduler;
    veltrane::ClockPtr clock;
    const ReduceMotion& reduceMotion;
    // The widget that hosts the views: popovers and menus open over it.
    QWidget& host;
    // Colours from the host's palette (a forced light or dark appearance included).
    ViewPalette palette;
    // Asks the host to paint again, all of it or only an area of the expanded card or of the tile
    // (in their own coordinates), for what changes every second or never stops while a session
    // runs. An area of a part that is not on screen is not painted.
    std::function<void()> repaint;
    std::function<void(const QRectF&)> repaintCardArea;
    std::function<void(const QRectF&)> repaintTileArea;
    // Where an area of the expanded card (in its own coordinates) lies on screen: popups open
    // beside it.
    std::function<QRect(const QRectF&)> cardAreaOnScreen;
    // How many of the card's popups show; the card stays open while any does (CardPopupSlot).
    int openPopups = 0;

    bool reducesMotion() const;
    QColor accent() const;
    // The card's backdrop at a point of `card` (CardBackground::colorAt), with the theme's wash
    // and the playing scene's tint.
    QColor backdrop(const QRectF& card, QPointF point) const;
    // The accent as text or a symbol on a fill of it at `fillOpacity` at that point of the card:
    // the accent, or the nearest shade of it that reads there.
    QColor readableAccent(const QRectF& card, QPointF point, double fillOpacity = 0) const;
};

} // namespace moorlet
