#include "core/settings/app_settings.h"

namespace qm {

AppSettings MakeDefaultAppSettings(const RectRecord& desktop, std::uint64_t nowFileTime) {
    AppSettings settings;
    settings.DesktopRect = desktop;
    settings.FileTime = nowFileTime;
    return settings;
}

}  // namespace qm
