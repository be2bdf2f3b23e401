#pragma once

// The quiz window on the Windows desktop, with the standard list box, edit box, button and
// static controls. Like the Qt window it owns every control and forwards its events to
// bitki::Quiz, which works on the controls through win32controls.h.

#include "quiz.h"
#include "win32controls.h"

#include <windows.h>

#include <array>
#include <memory>

namespace bitki::win32 {

class QuizForm final {
public:
    explicit QuizForm(HINSTANCE instance);
    QuizForm(const QuizForm&) = delete;
    QuizForm& operator=(const QuizForm&) = delete;
    ~QuizForm();

    // Event procedures, raised as the user acts; Form_Load runs while the window is created.
    void Form_Load();
    Quiz::ClickOutcome List1_Click(int index);
    void Command1_Click(int index);

    HWND window() const { return m_window; }
    HWND list1(int index) const { return m_list1.at(static_cast<std::size_t>(index)); }
    HWND text1(int index) const { return m_text1.at(static_cast<std::size_t>(index)); }
    HWND command1() const { return m_command1; }
    HWND label1() const { return m_label1; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layout(UINT dpi);
    void drawButton(const DRAWITEMSTRUCT& item) const;

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    std::array<HWND, 5> m_list1{};
    std::array<HWND, 2> m_text1{};
    HWND m_label1 = nullptr;
    HWND m_command1 = nullptr;
    HFONT m_font = nullptr;
    HBRUSH m_windowBrush;
    HBRUSH m_headingBrush;
    HBRUSH m_buttonBrush;

    std::array<std::unique_ptr<Win32ListControl>, 5> m_listControls;
    std::array<std::unique_ptr<Win32TextControl>, 2> m_textControls;
    std::unique_ptr<Quiz> m_quiz;
};

} // namespace bitki::win32
