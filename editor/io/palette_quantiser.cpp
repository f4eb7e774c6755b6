#include "editor/io/palette_quantiser.h"

#include <libimagequant.h>

#include <limits>
#include <memory>
#include <unordered_map>

namespace editor::io {

using namespace ::bytes;

namespace {

// libimagequant's choice of colours from every pixel; speed 1 is its most thorough search,
// quick enough for a skin and its levels.
constexpr int QUANTISER_SPEED = 1;

struct LiqFree {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
    void operator()(liq_histogram* histogram) const { liq_histogram_destroy(histogram); }
    void operator()(liq_image* image) const { liq_image_destroy(image); }
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};
template <typename T>
using LiqPointer = std::unique_ptr<T, LiqFree>;

std::vector<liq_color> Rgba(const RgbPixels& picture) {
    std::vector<liq_color> rgba(picture.rgb.size() / 3);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] =
            liq_color{picture.rgb[i * 3], picture.rgb[i * 3 + 1], picture.rgb[i * 3 + 2], 255};
    }
    return rgba;
}

bool AddToHistogram(liq_histogram& histogram, liq_attr& attr, const RgbPixels& picture) {
    const std::vector<liq_color> rgba = Rgba(picture);
    const LiqPointer<liq_image> image(
        liq_image_create_rgba(&attr, rgba.data(), picture.width, picture.height, 0));
    return image != nullptr && liq_histogram_add_image(&histogram, &attr, image.get()) == LIQ_OK;
}

// Each pixel takes the palette colour nearest to it; libimagequant's own remapping refines
// the palette per picture, which would leave the levels on different palettes.
class NearestColour {
  public:
    explicit NearestColour(const QuantisedPixels& palette) : palette_(palette) {}

    uint8_t Of(uint8_t r, uint8_t g, uint8_t b) {
        const uint32_t key = static_cast<uint32_t>(r) << 16 | g << 8 | b;
        const auto known = cache_.find(key);
        if (known != cache_.end()) {
            return known->second;
        }
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < palette_.colours; ++i) {
            const int dr = r - palette_.palette[i * 3];
            const int dg = g - palette_.palette[i * 3 + 1];
            const int db = b - palette_.palette[i * 3 + 2];
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        cache_.emplace(key, static_cast<uint8_t>(best));
        return static_cast<uint8_t>(best);
    }

  private:
    const QuantisedPixels& palette_;
    std::unordered_map<uint32_t, uint8_t> cache_;
};

Status ChoosePalette(std::span<const RgbPixels> pictures, QuantisedPixels& result) {
    const LiqPointer<liq_attr> attr(liq_attr_create());
    const LiqPointer<liq_histogram> histogram(attr ? liq_histogram_create(attr.get()) : nullptr);
    if (!histogram || liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_speed(attr.get(), QUANTISER_SPEED) != LIQ_OK) {
        return Status::Fail(Failure::OutOfMemory, "The colour quantiser cannot be set up");
    }
    for (const RgbPixels& picture : pictures) {
        if (picture.width <= 0 || picture.height <= 0 ||
            !AddToHistogram(*histogram, *attr, picture)) {
            return Status::BadData("The colour quantiser refused a picture of " +
                                   std::to_string(picture.width) + " x " +
                                   std::to_string(picture.height) + " pixels");
        }
    }
    liq_result* raw = nullptr;
    if (liq_histogram_quantize(histogram.get(), attr.get(), &raw) != LIQ_OK) {
        return Status::BadData("The colour quantiser found no palette");
    }
    const LiqPointer<liq_result> quantised(raw);
    const liq_palette* palette = liq_get_palette(quantised.get());
    result.colours = static_cast<int>(palette->count);
    for (int i = 0; i < result.colours; ++i) {
        result.palette[i * 3] = palette->entries[i].r;
        result.palette[i * 3 + 1] = palette->entries[i].g;
        result.palette[i * 3 + 2] = palette->entries[i].b;
    }
    return Status();
}

}  // namespace

Status QuantiseToOnePalette(std::span<const RgbPixels> pictures, QuantisedPixels& result) {
    result = QuantisedPixels{};
    Status chosen = ChoosePalette(pictures, result);
    if (!chosen) {
        result = QuantisedPixels{};
        return chosen;
    }
    NearestColour nearest(result);
    for (const RgbPixels& picture : pictures) {
        std::vector<uint8_t>& indices = result.indices.emplace_back(picture.rgb.size() / 3);
        for (std::size_t i = 0; i < indices.size(); ++i) {
            indices[i] =
                nearest.Of(picture.rgb[i * 3], picture.rgb[i * 3 + 1], picture.rgb[i * 3 + 2]);
        }
    }
    return Status();
}

}  // namespace editor::io
