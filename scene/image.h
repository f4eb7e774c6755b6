#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "scene/visual.h"

namespace scene {

// The 40-byte device-independent bitmap information header.
struct BitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;  // rows are bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

// One palette entry, blue-green-red-zero as bitmaps store it.
struct PaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};

inline constexpr int C3D_PALETTE_SIZE = 256;
// Largest side accepted, so a bad header cannot ask for absurd amounts of memory.
inline constexpr int C3D_MAX_IMAGE_SIDE = 16384;

// A picture of 8 bits per pixel (with a 256-entry palette) or 24 bits per pixel (blue, green,
// red bytes). Rows are padded to a multiple of 4 bytes and kept bottom row first, as bitmaps
// and OpenGL textures hold them; Row(y) addresses them top row first.
class C3dImage : public C3dVisual {
  public:
    C3dImage();
    explicit C3dImage(std::string name) : C3dVisual(std::move(name)) {}

    // Copies a bitmap: size and depth from the header (8 or 24 bits, uncompressed, positive
    // height), the palette for 8-bit pictures (may be none: all black), and height rows of
    // pixels, bottom row first, at the padded pitch.
    bool Create(const BitmapInfoHeader& header, const PaletteEntry* palette, const uint8_t* pixels);
    // Reads a Windows bitmap. An empty path asks through the open-file chooser. Fails, and
    // leaves the image empty, on any short read, bad header or unsupported kind; on success
    // the image is named after the path.
    bool LoadBitmapFile(const std::string& path);
    // The same from the bytes of a whole file; the name is left as it is.
    bool LoadBitmapBytes(std::span<const uint8_t> bytes);
    // The program's built-in pictures; named "Image resource".
    bool LoadBitmapResource(int id);
    // Releases the pixels.
    void Clear();

    bool IsEmpty() const { return pixels_.empty(); }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetDepth() const { return depth_; }
    // Bytes per row, a multiple of 4.
    int GetPitch() const { return pitch_; }
    bool IsRgb() const { return depth_ > 8; }
    const PaletteEntry* GetPalette() const { return depth_ == 8 ? palette_ : nullptr; }
    int GetPaletteSize() const { return depth_ == 8 ? C3D_PALETTE_SIZE : 0; }
    bool SetPaletteEntry(int index, const PaletteEntry& entry);
    // All rows, bottom row first.
    const uint8_t* GetBits() const { return pixels_.data(); }
    // Writable access counts as a change.
    uint8_t* GetBits() {
        Touch();
        return pixels_.data();
    }
    // Row y counted from the top; none outside the image.
    uint8_t* Row(int y);
    const uint8_t* Row(int y) const;
    // Grows with every change, so a renderer can tell when to upload again.
    uint64_t GetRevision() const { return revision_; }

    // How LoadBitmapFile asks a person for a bitmap when it is given no path; set by the window.
    // It gets the filter in "desc|*.ext|...||" form and returns the chosen path, or "" when
    // cancelled. The editor's own file questions go through its Ui, not through here.
    using FileChooser = std::function<std::string(const std::string& filter)>;
    static void SetOpenFileChooser(FileChooser chooser);
    static std::string ChooseOpenFile(const std::string& filter);

    // The window's picture readers (PNG, JPEG), set by the window layer: they decode a whole
    // file's bytes into a 24-bit image. Without them DecodePicture fails.
    using PictureDecoder = std::function<bool(std::span<const uint8_t> bytes, C3dImage& image)>;
    static void SetPictureDecoder(PictureDecoder decoder);
    // Decodes with the window's readers; on failure the image is left empty.
    bool DecodePicture(std::span<const uint8_t> bytes);

    static int PitchFor(int width, int depth) { return ((width * depth / 8) + 3) & ~3; }

  protected:
    void Touch() { ++revision_; }

  private:
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    int pitch_ = 0;
    PaletteEntry palette_[C3D_PALETTE_SIZE];
    std::vector<uint8_t> pixels_;
    uint64_t revision_ = 0;
};

}  // namespace scene
