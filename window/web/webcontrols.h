#pragma once

// The browser's list and text controls. Their content lives here, in C++, exactly as the quiz
// wrote it (a text area would turn CR LF into LF); a control that is shown mirrors every change
// into its element of the page, and a hidden one never reaches the page at all.

#include "controls.h"
#include "interface.h"

#include <optional>
#include <string>
#include <vector>

namespace bitki::web {

class WebListControl final : public ListControl {
public:
    enum class Order { AsAdded, Sorted };
    explicit WebListControl(Order order);

    Position ListCount() const override;
    std::string List(Position row) const override;
    Position ListIndex() const override;
    void Clear() override;
    void AddItem(std::string_view text) override;
    void RemoveItem(Position row) override;

    // The user picked a row; a position that holds no row picks nothing.
    bool pick(Position row);
    const std::vector<std::string>& rows() const { return m_rows; }
    // From now on the page shows this list in that element, starting from what it holds now.
    void show(Element element);

private:
    std::vector<std::string> m_rows;
    Position m_selected = NoRow;
    Order m_order;
    std::optional<Element> m_element;
};

class WebTextControl final : public TextControl {
public:
    WebTextControl() = default;

    std::string Text() const override { return m_text; }
    void Text(std::string_view text) override;

    // What the box says of itself to assistive technology while it shows this text: what it is
    // for, until a verdict is shown. A browser tells of a changed description only some time
    // after the change, and a screen reader may then say it twice or say an old one: so a
    // verdict's paragraph is not the description here, as it is in the desktop windows, but is
    // spoken once the focus has arrived (paragraph()).
    std::string_view description() const;
    std::string_view paragraph() const;
    // Where the lines of the text start, as the page counts them (LineStarts).
    std::vector<int> lineStarts() const;

    void show(Element element);

private:
    std::string m_text;
    std::optional<Element> m_element;
};

} // namespace bitki::web
