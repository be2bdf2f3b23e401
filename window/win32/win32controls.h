#pragma once

// The standard Windows list box and edit box seen as the quiz's controls. Text crosses from the
// quiz's UTF-8 to the controls' UTF-16 here and nowhere else.

#include "controls.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace bitki::win32 {

std::wstring toUtf16(std::string_view text);
std::string toUtf8(std::wstring_view text);

class Win32ListControl final : public ListControl {
public:
    explicit Win32ListControl(HWND list);

    Position ListCount() const override;
    std::string List(Position row) const override;
    Position ListIndex() const override;
    void Clear() override;
    void AddItem(std::string_view text) override;
    void RemoveItem(Position row) override;

private:
    HWND m_list;
};

// The edit box keeps CR LF as it is, so it is read back as it was written.
class Win32TextControl final : public TextControl {
public:
    explicit Win32TextControl(HWND edit);

    std::string Text() const override;
    void Text(std::string_view text) override;

private:
    HWND m_edit;
};

} // namespace bitki::win32
