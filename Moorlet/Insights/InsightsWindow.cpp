#include "Moorlet/Insights/InsightsWindow.h"

#include "Moorlet/Data/InsightsExport.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Recap/ShareComposerView.h"
#include "Moorlet/Views/ForcedAppearance.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace moorlet {

namespace {

// Tall enough for the summary and two cards; the rest scrolls.
constexpr int kInitialHeight = 760;

std::optional<std::filesystem::path> chooseCsvWithDialog(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Export Sessions"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Comma-separated values (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QString::fromUtf8(InsightsExport::kProposedFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdString());
}

} // namespace

InsightsWindow::InsightsWindow(LocalDataStore& store, FocusSettings& focusSettings, veltrane::SettingsStore& settings,
    QColor accent, AnalyticsEngine analytics, ViewEnvironment environment, Services services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_settings(settings)
    , m_environment(environment.resolved())
    , m_reduceMotion(std::make_unique<ReduceMotion>(settings, m_environment.desktop))
    , m_services(std::move(services))
{
    if (!m_services.chooseCsvFile)
        m_services.chooseCsvFile = chooseCsvWithDialog;
    if (!m_services.showFailure)
        m_services.showFailure = [](QWidget* parent, const QString& text) {
            QMessageBox::warning(parent, QStringLiteral("Export CSV"), text);
        };
    if (!m_services.shareRecap)
        m_services.shareRecap = [](const RecapData& data) { ShareComposerView::present(data); };

    setWindowTitle(QStringLiteral("Insights"));
    m_view = new InsightsView(store, focusSettings, accent, std::move(analytics), m_environment.clock,
        *m_environment.ticker, *m_reduceMotion, InsightsView::Actions { m_services.shareRecap, [this] { exportCsv(); } });
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidget(m_view);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    const int width = static_cast<int>(InsightsMetrics::width) + m_scroll->verticalScrollBar()->sizeHint().width();
    setMinimumWidth(width);
    setMaximumWidth(width);
    resize(width, kInitialHeight);

    followAppearance(*this, settings, m_environment.desktop,
        [this] { m_view->setViewPalette(ViewPalette::from(palette())); });
}

InsightsWindow::~InsightsWindow() = default;

void InsightsWindow::showInsights()
{
    // The day may have turned since the window was last open.
    m_view->refresh();
    show();
    raise();
    activateWindow();
}

void InsightsWindow::exportCsv()
{
    std::optional<std::filesystem::path> chosen;
    const auto result = InsightsExport::save(m_store.sessions(), [&] { return chosen = m_services.chooseCsvFile(this); });
    if (result == InsightsExport::SaveResult::failed)
        m_services.showFailure(this, QString::fromStdString(InsightsExport::failureMessage(*chosen)));
}

QImage InsightsWindow::renderContent(double pixelRatio)
{
    QImage image(m_view->size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    m_view->render(&image);
    return image;
}

void InsightsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        m_view->setViewPalette(ViewPalette::from(palette()));
}

} // namespace moorlet
