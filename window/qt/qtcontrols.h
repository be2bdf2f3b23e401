#pragma once

#include "controls.h"

class QListWidget;
class QPlainTextEdit;
class QString;

namespace bitki {

// The quiz's UTF-8 text as Qt's.
QString toQString(std::string_view text);

// A Qt list widget seen as the quiz's list control. Its own changes never
// raise the click: the widget's signals are blocked while it changes.
class QtListControl final : public ListControl {
public:
    QtListControl(QListWidget& widget, bool sorted);

    Position ListCount() const override;
    std::string List(Position row) const override;
    Position ListIndex() const override;
    void Clear() override;
    void AddItem(std::string_view text) override;
    void RemoveItem(Position row) override;

private:
    QListWidget& m_widget;
    bool m_sorted;
};

// A plain-text box seen as the quiz's text control. The widget turns CR LF
// into its own line breaks, so the exact text is kept here.
class QtTextControl final : public TextControl {
public:
    explicit QtTextControl(QPlainTextEdit& widget);

    std::string Text() const override;
    void Text(std::string_view text) override;

private:
    QPlainTextEdit& m_widget;
    std::string m_text;
};

} // namespace bitki
