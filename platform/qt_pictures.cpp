#include "platform/qt_pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/offscreen_renderer.h"
#include "platform/run_window.h"
#include "scene/image.h"

namespace platform {

using namespace ::scene;

namespace {

// Batch runs have no window and often no display: a Qt application on the off-screen
// platform is enough to draw with OpenGL and to read pictures.
void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (!HasWindowSystem()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "Marionet";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace

bool DecodePicture(std::span<const uint8_t> bytes, C3dImage& image) {
    EnsureGuiApplication();
    QImage decoded;
    if (!decoded.loadFromData(bytes.data(), static_cast<int>(bytes.size())) ||
        decoded.width() > C3D_MAX_IMAGE_SIDE || decoded.height() > C3D_MAX_IMAGE_SIDE) {
        return false;
    }
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB888);
    const int pitch = C3dImage::PitchFor(rgb.width(), 24);
    std::vector<uint8_t> rows(static_cast<size_t>(pitch) * rgb.height(), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        // Bitmap rows run bottom-up, blue-green-red.
        const uchar* source = rgb.constScanLine(y);
        uint8_t* target = rows.data() + static_cast<size_t>(rgb.height() - 1 - y) * pitch;
        for (int x = 0; x < rgb.width(); ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    }
    BitmapInfoHeader header;
    header.width = rgb.width();
    header.height = rgb.height();
    header.bitCount = 24;
    return image.Create(header, nullptr, rows.data());
}

void InstallQtPictureDecoder() {
    C3dImage::SetPictureDecoder(DecodePicture);
}

std::string SnapshotStage(const C3dStage& stage, int width, int height, std::vector<uint8_t>& png) {
    EnsureGuiApplication();
    OffscreenRenderer renderer;
    if (!renderer.Create(width, height)) {
        return "no OpenGL context can be had to draw the view; run the script under a display "
               "(for instance xvfb-run -a Marionet --batch FILE)";
    }
    renderer.Draw(stage);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!renderer.Picture().convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG")) {
        return "the picture cannot be made into PNG";
    }
    png.assign(encoded.constBegin(), encoded.constEnd());
    return {};
}

}  // namespace platform
