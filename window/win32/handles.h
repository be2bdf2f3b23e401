#pragma once

// Owners of the Windows objects the window creates, so that every path out of a constructor, and
// the destructor, frees each of them exactly once.

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <type_traits>

namespace bitki::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct AcceleratorDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using Accelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComPointer = std::unique_ptr<Interface, ComReleaser>;

// COM on this thread, for as long as this lives; a thread where it cannot start goes without.
class ComApartment final {
public:
    ComApartment()
        : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (m_started) {
            CoUninitialize();
        }
    }

private:
    bool m_started;
};

} // namespace bitki::win32
