#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

namespace moorlet {

// The files and dialogs around a recap card: choosing the photo, writing the PNG, saving it where
// the user says and offering it to other programs. Main thread only.
namespace FocusRecap {

    // The image in the file; nothing when it cannot be read as an image.
    std::optional<QImage> loadPhoto(const QString& path);
    // Asks for an image file ("Choose a photo for your focus card", confirmed with "Use Photo").
    // Nothing when the user cancels.
    std::optional<QString> pickPhotoPath(QWidget* parent);

    // The image as PNG bytes; empty when it cannot be encoded.
    QByteArray pngData(const QImage& image);
    // Writes the PNG whole to `path` or not at all (an old file there stays as it was).
    bool writePNG(const QImage& image, const QString& path);
    // Writes the PNG under `name` in the temporary folder and returns its path.
    std::optional<QString> writeTemporaryPNG(const QImage& image, const QString& name);
    // Asks where to save a PNG, proposing `suggested`. Nothing when the user cancels.
    std::optional<QString> chooseSavePath(QWidget* parent, const QString& suggested);

    // What the share menu can do with a written image.
    enum class ShareAction {
        copyImage,
        openInViewer,
        showInFileManager,
    };
    // Offers the written image at `position` (global) in a small menu: copy it to the clipboard,
    // open it in the default viewer, or show it in the file manager. Returns the action taken.
    std::optional<ShareAction> presentShare(const QString& file, QWidget* from, QPoint position);
    // Carries out one of the menu's actions; false when the desktop could not do it.
    bool share(ShareAction action, const QString& file);

} // namespace FocusRecap

} // namespace moorlet
