// The panel on a real X server (Xvfb with xcompmgr, no window manager), driven by xdotool the
// way a user's pointer would drive it.
#include "VeltraneKit/Widget/FloatingPanel.h"

#include "VeltraneKit/Widget/PanelHostingView.h"
#include "tests/support/TestSupport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QWindow>

#include <gtest/gtest.h>

namespace veltrane {
namespace {

using testsupport::waitUntil;

// Runs a tool to completion and returns what it printed.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
QString xdotool(const QStringList& arguments) { return run(QStringLiteral("xdotool"), arguments); }
void pointerTo(QPoint at) { xdotool({ "mousemove", "--sync", QString::number(at.x()), QString::number(at.y()) }); }

// Presses on the panel and waits until the panel has taken the press: it reads where the press
// started from the pointer when it handles the press, so the pointer must not move before.
void pressPanel(const FloatingPanel& panel)
{
    xdotool({ "mousedown", "1" });
    ASSERT_TRUE(waitUntil([&] { return panel.isPressed(); }));
}

// Moves the pointer in even steps, letting the panel handle each step.
void pointerAlong(QPoint from, QPoint to, int steps = 8)
{
    for (int step = 1; step <= steps; ++step) {
        pointerTo(from + (to - from) * step / steps);
        testsupport::processEvents(std::chrono::milliseconds(10));
    }
}

// A rounded card filling the panel, so translucency shows at its corners.
class CardView final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::blue);
        painter.drawRoundedRect(rect(), 28, 28);
    }
};

using Drop = std::pair<Point, std::optional<DockSide>>;

class FloatingPanelX11Test : public ::testing::Test {
protected:
    std::unique_ptr<FloatingPanel> panel;
    int clicks = 0;
    std::vector<Drop> drops;

    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // No window manager: the whole 1440 × 900 screen is visible.
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1440, 900));
        panel = std::make_unique<FloatingPanel>(Rect(600, 300, 168, 168));
        panel->setContentView(new CardView);
        panel->onClicked = [this] { ++clicks; };
        panel->onMoved = [this](Point origin, std::optional<DockSide> side) { drops.emplace_back(origin, side); };
    }

    void showPanel()
    {
        panel->orderFront();
        ASSERT_TRUE(waitUntil([&] { return panel->windowHandle() && panel->windowHandle()->isExposed(); }));
    }

    // Shows the panel, presses on its centre, moves the pointer in steps to `to` (without one, a
    // three-point wiggle) and releases.
    void dragFromCentre(std::optional<QPoint> to)
    {
        showPanel();
        const QPoint start = panel->geometry().center();
        pointerTo(start);
        pressPanel(*panel);
        if (to) {
            pointerAlong(start, *to);
        } else {
            pointerTo(start + QPoint(3, 0));
            pointerTo(start + QPoint(0, 3));
        }
        xdotool({ "mouseup", "1" });
    }
};

TEST_F(FloatingPanelX11Test, AThreePointWiggleIsAClick)
{
    dragFromCentre(std::nullopt);
    ASSERT_TRUE(waitUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(600, 432));
}

TEST_F(FloatingPanelX11Test, ADropTwentyPointsFromTheRightEdgeSnapsRight)
{
    // 684 points to the right puts the panel at x 1284: the tile 20 points from the edge.
    dragFromCentre(panel->geometry().center() + QPoint(684, 0));
    ASSERT_TRUE(waitUntil([&] { return !drops.empty(); }));
    EXPECT_EQ(drops[0], Drop({ 1284, 300 }, DockSide::right));
    EXPECT_EQ(panel->geometry().topLeft(), QPoint(1284, 432));
    EXPECT_EQ(clicks, 0);
}

TEST_F(FloatingPanelX11Test, IsSkippedByTaskbarsAndShownOnEveryWorkspace)
{
    showPanel();
    const QString properties = run(QStringLiteral("xprop"), { "-id", QString::number(panel->winId()) });
    for (const char* hint : { "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY",
             "_NET_WM_STATE_ABOVE", "_NET_WM_DESKTOP(CARDINAL) = 4294967295", "_NET_WM_WINDOW_TYPE_UTILITY",
             "Client accepts input or input focus: False" })
        EXPECT_TRUE(properties.contains(QLatin1String(hint))) << hint << "\n" << properties.toStdString();
}

TEST_F(FloatingPanelX11Test, NeverTakesTheFocusFromAnotherApplication)
{
    QProcess holder;
    holder.start(QStringLiteral(FOCUS_HOLDER_PATH), {});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(waitUntil([&] { return holder.canReadLine(); }));
    QString holderWindow = QString::fromUtf8(holder.readLine()).trimmed();
    ASSERT_TRUE(waitUntil([&] { return xdotool({ "getwindowfocus" }) == holderWindow; }));

    auto* content = new QWidget;
    auto* button = new QPushButton(QStringLiteral("Go"), content);
    button->setGeometry(44, 44, 80, 80);
    panel->setContentView(content);
    QSignalSpy buttonClicks(button, &QPushButton::clicked);
    showPanel();

    // The first click on the inactive panel already presses the button.
    pointerTo(panel->geometry().topLeft() + QPoint(84, 84));
    xdotool({ "click", "1" });
    ASSERT_TRUE(waitUntil([&] { return buttonClicks.count() == 1; }));

    // A click and a drag on the panel's own surface.
    QPoint surface = panel->geometry().topLeft() + QPoint(20, 20);
    pointerTo(surface);
    xdotool({ "click", "1" });
    ASSERT_TRUE(waitUntil([&] { return clicks == 1; }));
    pressPanel(*panel);
    pointerAlong(surface, surface + QPoint(-200, 50));
    xdotool({ "mouseup", "1" });
    ASSERT_TRUE(waitUntil([&] { return !drops.empty(); }));

    testsupport::processEvents();
    EXPECT_EQ(xdotool({ "getwindowfocus" }), holderWindow);
    EXPECT_EQ(QGuiApplication::focusWindow(), nullptr);
    holder.kill();
    holder.waitForFinished();
}

QImage grabScreen(QRect area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

bool isNear(QRgb pixel, QColor expected)
{
    return std::max({ std::abs(qRed(pixel) - expected.red()), std::abs(qGreen(pixel) - expected.green()),
               std::abs(qBlue(pixel) - expected.blue()) }) <= 12;
}

TEST_F(FloatingPanelX11Test, CornersAreTranslucentShowingWhatIsBehind)
{
    // A red window of this process behind the panel.
    QWidget backdrop(nullptr, Qt::FramelessWindowHint);
    backdrop.setAttribute(Qt::WA_ShowWithoutActivating);
    backdrop.setPalette(QPalette(Qt::red));
    backdrop.setAutoFillBackground(true);
    backdrop.setGeometry(500, 350, 368, 368);
    backdrop.show();
    ASSERT_TRUE(waitUntil([&] { return backdrop.windowHandle()->isExposed(); }));

    // Inside a hosting view, as the program shows its views.
    panel->setContentView(new PanelHostingView(new CardView));
    showPanel();

    // The compositor starts with the display; until it draws, translucent pixels come out black.
    QImage shot;
    ASSERT_TRUE(waitUntil([&] {
        shot = grabScreen(panel->geometry());
        return isNear(shot.pixel(84, 84), Qt::blue) && isNear(shot.pixel(2, 2), Qt::red);
    })) << "corner " << std::hex << shot.pixel(2, 2) << " centre " << shot.pixel(84, 84);
    // Just inside the rounded edge the card is drawn.
    EXPECT_TRUE(isNear(shot.pixel(84, 1), Qt::blue));
}

} // namespace
} // namespace veltrane
