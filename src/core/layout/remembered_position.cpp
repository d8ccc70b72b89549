#include "core/layout/remembered_position.h"

namespace qm {

bool FitsInside(const PointRecord& point, std::int32_t width, std::int32_t height, const RectRecord& bounds) {
    // In 64 bits, so that a point near the end of the range cannot wrap round.
    const std::int64_t right = std::int64_t{point.x} + width;
    const std::int64_t bottom = std::int64_t{point.y} + height;
    return point.x >= bounds.left && right <= bounds.right && point.y >= bounds.top && bottom <= bounds.bottom;
}

}  // namespace qm
