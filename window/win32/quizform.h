#pragma once

// The quiz window on the Windows desktop, with the standard list box, edit box, button and
// static controls. Like the Qt window it owns every control and raises the shared event
// procedures of bitki::WindowEvents, which work on the controls through win32controls.h. This class
// only creates the controls, lays them out and wires them; the pick lists (picklist.h), the
// feedback box (feedbackbox.h), the names for assistive technology (accessibility.h), the screen's
// DPI (dpi.h) and the colours (colours.h) have files of their own. The hidden controls that hold
// the answer key live under a message-only window, out of sight of assistive technology. The
// window can be enlarged; the design then scales as one picture.

#include "colours.h"
#include "feedbackbox.h"
#include "focus.h"
#include "handles.h"
#include "picklist.h"
#include "win32controls.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

namespace bitki::win32 {

class QuizForm;

// What making the window gives: the window, whole, or the system's error code when it or one of
// its controls could not be created (and nothing to show).
class MadeForm final {
public:
    explicit MadeForm(std::unique_ptr<QuizForm> form);
    explicit MadeForm(DWORD failure);

    std::optional<DWORD> failure() const { return m_failure; }
    // The window; only where there is no failure.
    QuizForm& operator*() const { return *m_form; }
    QuizForm* operator->() const { return m_form.get(); }
    std::unique_ptr<QuizForm> take() { return std::move(m_form); }

private:
    std::unique_ptr<QuizForm> m_form;
    std::optional<DWORD> m_failure;
};

class QuizForm final {
public:
    // The window with its controls, loaded and ready to show, or why it could not be made.
    static MadeForm create(HINSTANCE instance);
    QuizForm(const QuizForm&) = delete;
    QuizForm& operator=(const QuizForm&) = delete;
    ~QuizForm();

    // Event procedures, raised as the user acts; Form_Load runs while the window is created.
    void Form_Load() { m_events->Form_Load(); }
    Quiz::ClickOutcome List1_Click(int index) { return m_events->List1_Click(index); }
    void Command1_Click(int index) { m_events->Command1_Click(index); }

    HWND window() const { return m_window; }
    HWND list1(int index) const { return m_list1.at(static_cast<std::size_t>(index)); }
    HWND text1(int index) const { return m_text1.at(static_cast<std::size_t>(index)); }
    HWND command1() const { return m_command1; }
    HWND label1() const { return m_label1; }

    // The keyboard's shortcuts and the dialog keys (Tab, Enter) for a message of the loop; true
    // when the message was handled here.
    bool preTranslate(MSG& message) const;
    // Resizes the window to the designed size times this factor (and the screen's), within the
    // work area of the screen it stands on.
    void zoomTo(double factor);
    // How much larger than designed the design is drawn, the screen's DPI included.
    double scale() const { return m_scale; }
    // Draws the window in the designed colours, or in the system's while High Contrast is on.
    void applyTheme(bool highContrast);
    const Palette& palette() const { return m_palette; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCommand(int id, int code);
    LRESULT onActivate(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBackground(HDC context) const;
    LRESULT onGetMinMaxInfo(MINMAXINFO& limits) const;
    LRESULT onColourStatic(HDC context, HWND control) const;
    LRESULT onDrawItem(const DRAWITEMSTRUCT& item) const;
    LRESULT onDpiChanged(const RECT& suggested);
    LRESULT onThemeChanged();

    explicit QuizForm(HINSTANCE instance);
    // Creates the window and its controls; the system's error code where one could not be.
    std::optional<DWORD> open();
    bool createControls();
    void layoutControls();
    void moveFocus(FocusTarget target) const;

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    // Parent of the hidden key controls.
    HWND m_keyHolder = nullptr;
    HWND m_lastFocus = nullptr;
    double m_scale = 1;
    int m_fontHeight = 0;
    std::array<HWND, 5> m_list1{};
    std::array<HWND, 2> m_text1{};
    HWND m_label1 = nullptr;
    HWND m_command1 = nullptr;

    Accelerators m_shortcuts;
    Font m_font;
    Palette m_palette{};
    Brush m_windowBrush;
    Brush m_headingBrush;
    Brush m_buttonBrush;
    Brush m_textBrush;

    std::array<std::unique_ptr<PickList>, 2> m_pickLists;
    std::unique_ptr<FeedbackBox> m_feedbackBox;
    std::array<std::unique_ptr<Win32ListControl>, 5> m_listControls;
    std::array<std::unique_ptr<Win32TextControl>, 2> m_textControls;
    std::unique_ptr<WindowEvents> m_events;
};

} // namespace bitki::win32
