#pragma once

#include <QPlainTextEdit>

namespace bitki {

// A read-only text box read one line at a time: the arrow keys Up and Down move the caret from
// line to line (a line being what ends with a line break, however it wraps on screen), and
// assistive technology sees the same lines, so a screen reader speaks a verdict line or a
// paragraph whole.
class TextBox final : public QPlainTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextBox)

public:
    explicit TextBox(QWidget* parent);
    ~TextBox() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace bitki
