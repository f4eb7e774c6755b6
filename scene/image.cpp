#include "scene/image.h"

#include <algorithm>
#include <cstring>

namespace scene {

namespace {

C3dImage::FileChooser& OpenFileChooser() {
    static C3dImage::FileChooser chooser;
    return chooser;
}

C3dImage::PictureDecoder& InstalledPictureDecoder() {
    static C3dImage::PictureDecoder decoder;
    return decoder;
}

}  // namespace

C3dImage::C3dImage() : C3dVisual("Image") {}

bool C3dImage::Create(const BitmapInfoHeader& header, const PaletteEntry* palette,
                      const uint8_t* pixels) {
    if ((header.bitCount != 8 && header.bitCount != 24) || header.compression != 0 ||
        header.width <= 0 || header.height <= 0 || header.width > C3D_MAX_IMAGE_SIDE ||
        header.height > C3D_MAX_IMAGE_SIDE || !pixels) {
        return Fail(C3D_E_BADVALUE);
    }
    int pitch = PitchFor(header.width, header.bitCount);
    std::vector<uint8_t> copy(pixels, pixels + size_t(pitch) * size_t(header.height));
    width_ = header.width;
    height_ = header.height;
    depth_ = header.bitCount;
    pitch_ = pitch;
    pixels_ = std::move(copy);
    std::fill(std::begin(palette_), std::end(palette_), PaletteEntry{});
    if (depth_ == 8 && palette) {
        std::copy(palette, palette + C3D_PALETTE_SIZE, palette_);
    }
    Touch();
    return Succeed();
}

void C3dImage::Clear() {
    width_ = height_ = depth_ = pitch_ = 0;
    pixels_.clear();
    pixels_.shrink_to_fit();
    std::fill(std::begin(palette_), std::end(palette_), PaletteEntry{});
    Touch();
}

bool C3dImage::SetPaletteEntry(int index, const PaletteEntry& entry) {
    if (depth_ != 8 || index < 0 || index >= C3D_PALETTE_SIZE) {
        return Fail(C3D_E_BADVALUE);
    }
    palette_[index] = entry;
    Touch();
    return Succeed();
}

uint8_t* C3dImage::Row(int y) {
    if (y < 0 || y >= height_) {
        return nullptr;
    }
    Touch();
    return pixels_.data() + size_t(height_ - 1 - y) * size_t(pitch_);
}

const uint8_t* C3dImage::Row(int y) const {
    if (y < 0 || y >= height_) {
        return nullptr;
    }
    return pixels_.data() + size_t(height_ - 1 - y) * size_t(pitch_);
}

void C3dImage::SetOpenFileChooser(FileChooser chooser) {
    OpenFileChooser() = std::move(chooser);
}

std::string C3dImage::ChooseOpenFile(const std::string& filter) {
    return OpenFileChooser() ? OpenFileChooser()(filter) : std::string();
}

void C3dImage::SetPictureDecoder(PictureDecoder decoder) {
    InstalledPictureDecoder() = std::move(decoder);
}

bool C3dImage::DecodePicture(std::span<const uint8_t> bytes) {
    Clear();
    if (!InstalledPictureDecoder() || !InstalledPictureDecoder()(bytes, *this)) {
        Clear();
        return false;
    }
    return true;
}

}  // namespace scene
