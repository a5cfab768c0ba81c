#include "VeltraneKit/Widget/PanelHostingView.h"
#include "tests/VeltraneKit/Components/PaintProbe.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <limits>

namespace veltrane {
namespace {

QWidget* solidView()
{
    auto* view = new QWidget;
    view->setPalette(QPalette(Qt::red));
    view->setAutoFillBackground(true);
    return view;
}

TEST(PanelHostingViewTest, TheRootViewFillsTheHostAndIsReplaceable)
{
    QPointer<QWidget> first = solidView();
    PanelHostingView host(first);
    host.resize(168, 168);
    // Resize events reach hidden widgets only when they are shown.
    host.show();
    EXPECT_EQ(first->parentWidget(), &host);
    EXPECT_EQ(first->geometry(), QRect(0, 0, 168, 168));

    auto* second = solidView();
    host.setRootView(second);
    EXPECT_EQ(host.rootView(), second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    host.resize(320, 648);
    EXPECT_EQ(second->size(), QSize(320, 648));
}

TEST(PanelHostingViewTest, OpacityWithinZeroAndOneDrawsTheRootViewTranslucentOnATransparentHost)
{
    // Rendered through its window, as the panel shows it.
    QWidget window;
    auto* host = new PanelHostingView(nullptr, &window);
    window.resize(40, 40);
    host->resize(40, 40);
    window.show();
    const auto alpha = [&](QWidget& widget) { return qAlpha(PaintProbe::render(widget).pixel(20, 20)); };
    EXPECT_EQ(alpha(*host), 0);
    host->setRootView(solidView());
    host->rootView()->show();
    for (double opacity : { 1.0, 0.5, 1.0 }) {
        host->setOpacity(opacity);
        EXPECT_NEAR(alpha(window), 255 * opacity, 2) << opacity;
    }
    EXPECT_EQ(host->graphicsEffect(), nullptr);

    for (auto [set, kept] : { std::pair { -3.0, 0.0 }, { 7.0, 1.0 }, { std::numeric_limits<double>::quiet_NaN(), 1.0 } }) {
        host->setOpacity(0.25);
        host->setOpacity(set);
        EXPECT_DOUBLE_EQ(host->opacity(), kept) << set;
    }
}

} // namespace
} // namespace veltrane
