#include "VeltraneKit/Components/VisualEffectView.h"
#include "tests/VeltraneKit/Motion/ManualTicker.h"

#include "tests/support/TestSupport.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <vector>

using namespace veltrane;

namespace {

// The rectangles of the window's blur-behind property as the X server holds them.
std::vector<uint32_t> blurProperty(WId window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const char name[] = "_KDE_NET_WM_BLUR_BEHIND_REGION";
    auto atomReply = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    const xcb_atom_t atom = atomReply->atom;
    std::free(atomReply);
    auto reply = xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window), atom, XCB_ATOM_CARDINAL, 0, 4096), nullptr);
    std::vector<uint32_t> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

class BlurBehindTest : public ::testing::Test, protected veltrane::testing::ManualTicker { };

} // namespace

TEST_F(BlurBehindTest, BehindWindowMaterialAsksForBlurUnderItsShape)
{
    ASSERT_TRUE(qGuiApp->nativeInterface<QNativeInterface::QX11Application>());
    QWidget window;
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(300, 200);
    auto* backdrop = new VisualEffectView(Material::popover, BlendingMode::behindWindow, MaterialState::active, 22,
        &window, m_ticker.get());
    backdrop->setGeometry(20, 10, 272, 180);
    window.show();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !blurProperty(window.winId()).empty(); }));

    // The rectangles stay inside the view and cover its middle, but not its rounded corners.
    const QRegion expected = backdrop->blurRegion();
    EXPECT_TRUE(expected.contains(QPoint(20 + 136, 10 + 90)));
    EXPECT_FALSE(expected.contains(QPoint(21, 11)));
    EXPECT_TRUE(QRegion(20, 10, 272, 180).contains(expected.boundingRect()));
    const std::vector<uint32_t> rectangles = blurProperty(window.winId());
    ASSERT_EQ(rectangles.size() % 4, 0u);
    QRegion stored;
    for (std::size_t i = 0; i < rectangles.size(); i += 4)
        stored += QRect(static_cast<int>(rectangles[i]), static_cast<int>(rectangles[i + 1]),
            static_cast<int>(rectangles[i + 2]), static_cast<int>(rectangles[i + 3]));
    EXPECT_EQ(stored, expected);

    // Blending within the window withdraws the request.
    backdrop->update(Material::popover, BlendingMode::withinWindow, MaterialState::active, 22);
    EXPECT_TRUE(backdrop->blurRegion().isEmpty());
    EXPECT_TRUE(testsupport::waitUntil([&] { return blurProperty(window.winId()).empty(); }));
}
