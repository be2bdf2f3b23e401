#include "textbox.h"

#include "feedback.h"

#include <QKeyEvent>

namespace bitki {

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TextBox::~TextBox() = default;

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const bool up = event->matches(QKeySequence::MoveToPreviousLine);
    if (!up && !event->matches(QKeySequence::MoveToNextLine)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.setPosition(
        CaretAfterLineKey(LineStarts(toPlainText().toStdString()), cursor.position(), up ? -1 : 1));
    setTextCursor(cursor);
    event->accept();
}

} // namespace bitki
