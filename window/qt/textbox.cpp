#include "textbox.h"

#include <QKeyEvent>
#include <QTextBlock>

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
    const QTextBlock line = up ? cursor.block().previous() : cursor.block().next();
    if (line.isValid() && (up || line.length() > 1 || line.next().isValid())) {
        cursor.setPosition(line.position());
        setTextCursor(cursor);
    }
    event->accept();
}

} // namespace bitki
