#pragma once
// Whether a window returns to the place where the user last closed it.
#include <cstdint>

#include "core/settings/app_settings.h"

namespace qm {

// True when a window of `width` x `height` with its top-left corner at `point`
// lies wholly inside `bounds` (edges included). A point remembered on a larger
// or differently arranged screen fails, so the window keeps its own position.
bool FitsInside(const PointRecord& point, std::int32_t width, std::int32_t height, const RectRecord& bounds);

// `window` moved inside `area`, and cut to the area's width or height where it
// is larger: a window remembered on a larger or another screen opens whole on
// this one. A window that lies inside stays as it is.
RectRecord BroughtInside(const RectRecord& window, const RectRecord& area);

}  // namespace qm
