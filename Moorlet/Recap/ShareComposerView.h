#pragma once

#include "Moorlet/Recap/RecapData.h"

#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QSlider;

namespace moorlet {

// The "Share your focus" window: the recap card over a photo of the user's choosing, previewed at
// half size, dragged into place and zoomed with a pinch, the wheel or the slider (1…3, the photo always
// covering the card), then rendered at twice its size and saved or shared as a PNG. The chooser
// opens by itself the first time the window is shown. A photo that cannot be read or a PNG that
// cannot be written is said in one line above the buttons.
//
// The dialogs are services so that tests can answer them. Main thread only.
class ShareComposerView : public QWidget {
    Q_OBJECT

public:
    struct Services {
        // The photo file the user picks; nothing when cancelled. Default: a file dialog.
        std::function<std::optional<QString>(QWidget*)> pickPhotoPath;
        // Where to save, proposing a name; nothing when cancelled. Default: a file dialog.
        std::function<std::optional<QString>(QWidget*, const QString&)> chooseSavePath;
        // Offers a written PNG to other programs at a global position. Default: the share menu.
        std::function<void(const QString&, QWidget*, QPoint)> presentShare;
    };

    static constexpr double kPreviewScale = 0.5;
    static inline const QString kFileName = QStringLiteral("Focus-on-photo.png");

    explicit ShareComposerView(RecapData data, Services services = {}, QWidget* parent = nullptr);
    ~ShareComposerView() override;

    // Opens the one share window for `data`, closing an earlier one.
    static ShareComposerView* present(RecapData data, Services services = {});

    const RecapData& data() const { return m_data; }
    const std::optional<QImage>& photo() const { return m_photo; }
    double zoom() const { return m_zoom; }
    QPointF offset() const { return m_offset; }
    // The line that tells of a failure; empty when all went well.
    QString message() const;

    // Asks for a photo and takes it; a cancelled pick changes nothing.
    void choosePhoto();
    // Takes the photo in the file, resetting zoom and offset; says so when it cannot be read.
    bool usePhotoFile(const QString& path);
    void setZoom(double zoom);
    // Moves the photo by a drag of `translation` preview points from where the last drag ended.
    void dragBy(QPointF translation);
    void endDrag();

    // The card at twice its size (1200 × 2132 pixels); null without a photo.
    QImage renderCard() const;
    void exportAndSave();
    void exportAndShare();

    // Where the preview lies in the window.
    QRectF previewRect() const;
    QPushButton& saveButton() const { return *m_save; }
    QPushButton& shareButton() const { return *m_share; }
    QSlider& zoomSlider() const { return *m_slider; }
    QImage renderToImage();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void setMessage(const QString& text);
    void refresh();
    QRectF chooseButtonRect() const;

    RecapData m_data;
    Services m_services;
    std::optional<QImage> m_photo;
    double m_zoom = 1;
    QPointF m_offset;
    QPointF m_baseOffset;
    bool m_didAutoPick = false;
    std::optional<QPointF> m_pressAt;
    bool m_dragging = false;
    QLabel* m_hint = nullptr;
    QWidget* m_zoomRow = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_share = nullptr;
};

} // namespace moorlet
