#pragma once
// Whether a file may be given a name at all. The preview and the run both ask
// here, so that a name the preview passes is one the run tries.
#include <string_view>

namespace qm {

// False for a name that no file can have, or that the platform would turn
// into something else: nothing once the trailing dots and blanks that the
// platform drops are gone, "." or "..", a control character or one of
// <>:"/|?*\, nothing before the extension (".jpg"), or a device name (CON,
// PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 in any case) alone or before an
// extension, with or without trailing dots or blanks.
bool NameAllowed(std::u16string_view name);

}  // namespace qm
