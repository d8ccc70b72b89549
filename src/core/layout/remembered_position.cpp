#include "core/layout/remembered_position.h"

#include <algorithm>

namespace qm {

bool FitsInside(const PointRecord& point, std::int32_t width, std::int32_t height, const RectRecord& bounds) {
    // In 64 bits, so that a point near the end of the range cannot wrap round.
    const std::int64_t right = std::int64_t{point.x} + width;
    const std::int64_t bottom = std::int64_t{point.y} + height;
    return point.x >= bounds.left && right <= bounds.right && point.y >= bounds.top && bottom <= bounds.bottom;
}

namespace {

// One axis: [start, end) within [areaStart, areaEnd). In 64 bits, so that
// lengths of stored rectangles far apart cannot wrap round.
void BringInside(std::int32_t& start, std::int32_t& end, std::int32_t areaStart, std::int32_t areaEnd) {
    const std::int64_t room = std::max<std::int64_t>(std::int64_t{areaEnd} - areaStart, 0);
    const std::int64_t length = std::clamp<std::int64_t>(std::int64_t{end} - start, 0, room);
    const std::int64_t first = std::clamp<std::int64_t>(start, areaStart, areaStart + room - length);
    start = static_cast<std::int32_t>(first);
    end = static_cast<std::int32_t>(first + length);
}

}  // namespace

RectRecord BroughtInside(const RectRecord& window, const RectRecord& area) {
    RectRecord inside = window;
    BringInside(inside.left, inside.right, area.left, area.right);
    BringInside(inside.top, inside.bottom, area.top, area.bottom);
    return inside;
}

}  // namespace qm
