// Reads an extended dialog template (DLGTEMPLATEEX) from a module's resources, so tests
// can compare a template with what it is meant to hold, independent of how a running
// dialog or its controls later change their own styles and sizes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

// A name-or-ordinal field of a template: either text or a 16-bit number.
struct NameOrOrdinal {
    std::wstring text;
    WORD ordinal = 0;  // non-zero when the field is an ordinal
};

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className;  // predefined ordinals (0x80 to 0x85) are given by name
    NameOrOrdinal caption;
};

struct DialogTemplate {
    bool valid = false;  // false when the resource is missing, not extended, or cut short
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<TemplateControl> controls;
};

DialogTemplate ReadDialogTemplate(HMODULE module, int templateId);

}  // namespace qm::test
