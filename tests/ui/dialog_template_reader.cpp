#include "dialog_template_reader.h"

#include <cstring>

namespace qm::test {
namespace {

// Walks the template bytes; every read checks the bounds and marks the reader failed
// instead of reading past the resource.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Read() {
        T value{};
        if (!ok_ || position_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + position_, sizeof(T));
        position_ += sizeof(T);
        return value;
    }

    std::wstring ReadText() {
        std::wstring text;
        for (WORD unit = Read<WORD>(); ok_ && unit != 0; unit = Read<WORD>()) text.push_back(static_cast<wchar_t>(unit));
        return text;
    }

    NameOrOrdinal ReadNameOrOrdinal() {
        NameOrOrdinal field;
        WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            field.ordinal = Read<WORD>();
        } else if (first != 0) {
            field.text.push_back(static_cast<wchar_t>(first));
            field.text += ReadText();
        }
        return field;
    }

    void AlignToDword() { position_ = (position_ + 3) & ~size_t{3}; }
    void Skip(size_t bytes) {
        if (position_ + bytes > size_) ok_ = false;
        else position_ += bytes;
    }

private:
    const BYTE* data_;
    size_t size_;
    size_t position_ = 0;
    bool ok_ = true;
};

std::wstring PredefinedClassName(WORD ordinal) {
    switch (ordinal) {
        case 0x80: return L"Button";
        case 0x81: return L"Edit";
        case 0x82: return L"Static";
        case 0x83: return L"ListBox";
        case 0x84: return L"ScrollBar";
        case 0x85: return L"ComboBox";
        default: return L"#" + std::to_wstring(ordinal);
    }
}

}  // namespace

DialogTemplate ReadDialogTemplate(HMODULE module, int templateId) {
    DialogTemplate dialog;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (resource == nullptr) return dialog;
    HGLOBAL loaded = LoadResource(module, resource);
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) return dialog;
    Reader in(data, SizeofResource(module, resource));

    WORD version = in.Read<WORD>();
    WORD signature = in.Read<WORD>();
    if (version != 1 || signature != 0xFFFF) return dialog;
    in.Read<DWORD>();  // help id
    dialog.exStyle = in.Read<DWORD>();
    dialog.style = in.Read<DWORD>();
    WORD count = in.Read<WORD>();
    dialog.x = in.Read<SHORT>();
    dialog.y = in.Read<SHORT>();
    dialog.cx = in.Read<SHORT>();
    dialog.cy = in.Read<SHORT>();
    dialog.menu = in.ReadNameOrOrdinal();
    dialog.windowClass = in.ReadNameOrOrdinal();
    dialog.title = in.ReadText();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = in.Read<WORD>();
        dialog.weight = in.Read<WORD>();
        dialog.italic = in.Read<BYTE>();
        dialog.charset = in.Read<BYTE>();
        dialog.typeface = in.ReadText();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignToDword();
        TemplateControl control;
        in.Read<DWORD>();  // help id
        control.exStyle = in.Read<DWORD>();
        control.style = in.Read<DWORD>();
        control.x = in.Read<SHORT>();
        control.y = in.Read<SHORT>();
        control.cx = in.Read<SHORT>();
        control.cy = in.Read<SHORT>();
        control.id = static_cast<int>(in.Read<DWORD>());
        NameOrOrdinal windowClass = in.ReadNameOrOrdinal();
        control.className = windowClass.ordinal ? PredefinedClassName(windowClass.ordinal) : windowClass.text;
        control.caption = in.ReadNameOrOrdinal();
        in.Skip(in.Read<WORD>());  // creation data
        dialog.controls.push_back(control);
    }
    dialog.valid = in.ok();
    return dialog;
}

}  // namespace qm::test
