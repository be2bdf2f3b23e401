#include "accessibility.h"

#include "feedback.h"
#include "qtcontrols.h"
#include "textbox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QWidget>

#include <algorithm>

namespace bitki {

namespace {

class QuizFormAccessible final : public QAccessibleWidget {
public:
    explicit QuizFormAccessible(QWidget* form)
        : QAccessibleWidget(form, QAccessible::Window)
    {
    }

    int childCount() const override { return static_cast<int>(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shownChildren();
        return index >= 0 && index < children.size()
            ? QAccessible::queryAccessibleInterface(children.at(index))
            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr ? static_cast<int>(shownChildren().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> shownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control != nullptr && !control->isWindow() && !control->isHidden()) {
                shown.append(control);
            }
        }
        return shown;
    }
};

// A text box as a screen reader reads it: its lines are the lines of its text, not the pieces it
// wraps into on screen. While it shows a verdict, the paragraph after the verdict line is what the
// box says of itself, so arriving in the box speaks the verdict and then the paragraph, once;
// before that, its own description says what the box is for.
class TextBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        QString all = box().toPlainText();
        if (kind == QAccessible::Value) {
            return all;
        }
        if (kind == QAccessible::Description) {
            return toQString(FeedbackDescriptionOf(all.toStdString()));
        }
        return QAccessibleWidget::text(kind);
    }

    // Lines, words and characters come from the base class, which splits the text at line feeds.
    QString text(int start, int end) const override { return box().toPlainText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(box().toPlainText().size()); }
    int cursorPosition() const override { return box().textCursor().position(); }

    void setCursorPosition(int position) override
    {
        QTextCursor cursor = box().textCursor();
        cursor.setPosition(std::clamp(position, 0, characterCount()));
        box().setTextCursor(cursor);
    }

    int selectionCount() const override { return box().textCursor().hasSelection() ? 1 : 0; }

    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor cursor = box().textCursor();
        const bool any = index == 0 && cursor.hasSelection();
        *start = any ? cursor.selectionStart() : 0;
        *end = any ? cursor.selectionEnd() : 0;
    }

    void setSelection(int /*index*/, int start, int end) override
    {
        QTextCursor cursor = box().textCursor();
        cursor.setPosition(std::clamp(start, 0, characterCount()));
        cursor.setPosition(std::clamp(end, 0, characterCount()), QTextCursor::KeepAnchor);
        box().setTextCursor(cursor);
    }

    void addSelection(int start, int end) override { setSelection(0, start, end); }

    void removeSelection(int /*index*/) override
    {
        QTextCursor cursor = box().textCursor();
        cursor.clearSelection();
        box().setTextCursor(cursor);
    }

    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(box().document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        QRect rect = box().cursorRect(cursor);
        rect.setWidth(box().fontMetrics().horizontalAdvance(text(offset, offset + 1)));
        return {box().viewport()->mapToGlobal(rect.topLeft()), rect.size()};
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        return box().cursorForPosition(box().viewport()->mapFromGlobal(point)).position();
    }

    void scrollToSubstring(int start, int /*end*/) override
    {
        const QTextBlock block = box().document()->findBlock(start);
        if (block.isValid()) {
            box().verticalScrollBar()->setValue(block.firstLineNumber());
        }
    }

    QString attributes(int /*offset*/, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TextBox& box() const { return *static_cast<TextBox*>(widget()); }
};

QAccessibleInterface* quizFormFactory(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String("bitki::QuizForm")) {
        return new QuizFormAccessible(static_cast<QWidget*>(object));
    }
    if (className == QLatin1String("bitki::TextBox")) {
        return new TextBoxAccessible(static_cast<TextBox*>(object));
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(quizFormFactory);
}

} // namespace bitki
