#include "GalleryPage.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

// Renders the gallery offscreen into the PNG named on the command line (gallery.png by default)
// and prints where it went.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");

    constexpr int kColumnWidth = 780;
    constexpr int kHeight = 2600;
    constexpr double kScale = 1.0;
    QImage image(QSize(2 * kColumnWidth, kHeight) * kScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kScale);
    image.fill(Qt::transparent);

    double used = 0;
    {
        QPainter painter(&image);
        const std::pair<QPalette, QString> columns[] = {
            { gallery::lightPalette(), QStringLiteral("Light") },
            { gallery::darkPalette(), QStringLiteral("Dark") },
        };
        for (int i = 0; i < 2; ++i) {
            QApplication::setPalette(columns[i].first);
            const QRectF area(i * kColumnWidth, 0, kColumnWidth, kHeight);
            painter.fillRect(area, columns[i].first.color(QPalette::Window));
            used = std::max(used, gallery::paintPage(painter, area, columns[i].second));
        }
    }
    const QImage cropped = image.copy(0, 0, image.width(), static_cast<int>(std::min<double>(kHeight, used) * kScale));
    if (!cropped.save(output)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
