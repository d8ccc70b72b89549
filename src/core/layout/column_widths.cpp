#include "core/layout/column_widths.h"

namespace qm {

namespace {

// value * numerator / denominator, rounded half away from zero.
std::int64_t Scaled(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    if (denominator <= 0) return value;
    const std::int64_t product = value * numerator;
    return product >= 0 ? (product + denominator / 2) / denominator : -((-product + denominator / 2) / denominator);
}

}  // namespace

int WidthOnScreen(std::int32_t stored, int dpi) { return static_cast<int>(Scaled(stored, dpi, StoredWidthDpi)); }

std::int32_t WidthToStore(int pixels, int dpi) {
    return static_cast<std::int32_t>(Scaled(pixels, StoredWidthDpi, dpi));
}

}  // namespace qm
