#include "accessibility.h"

#include "feedback.h"
#include "qtcontrols.h"
#include "textbox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

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

// One row of a pick list: named by its text, selected when picked, focused under the cursor, and
// invisible while scrolled out of the list's sight.
class ListRowAccessible final : public QAccessibleInterface {
public:
    ListRowAccessible(QListWidget* list, const QModelIndex& index)
        : m_list(list)
        , m_index(index)
    {
    }

    bool isValid() const override { return !m_list.isNull() && m_index.isValid(); }
    const QPersistentModelIndex& index() const { return m_index; }

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return isValid() ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return isValid() ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

    QString text(QAccessible::Text kind) const override
    {
        return isValid() && kind == QAccessible::Name ? m_index.data().toString() : QString();
    }

    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        const QRect row = m_list->visualRect(m_index);
        return {m_list->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.invisible = !QRect(m_list->mapToGlobal(QPoint()), m_list->size()).intersects(rect());
        state.selectable = true;
        state.focusable = true;
        state.selected = m_list->selectionModel()->isSelected(m_index);
        state.focused = m_list->currentIndex() == m_index;
        return state;
    }

private:
    QPointer<QListWidget> m_list;
    QPersistentModelIndex m_index;
};

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// How many rows a list has, said as its "setsize" attribute: Orca 48 counts a list's rows from
// that, and otherwise only the rows in sight, so it told a pupil of 7 rows in a list of 10.
class ListSize : public QAccessibleAttributesInterface {
public:
    QList<QAccessible::Attribute> attributeKeys() const override { return {QAccessible::Attribute::Custom}; }

    QVariant attributeValue(QAccessible::Attribute key) const override
    {
        if (key != QAccessible::Attribute::Custom) {
            return {};
        }
        return QVariant::fromValue(
            QHash<QString, QString>{{QStringLiteral("setsize"), QString::number(rows())}});
    }

protected:
    // This interface where it is the one asked for, else the other.
    void* sizeInterface(QAccessible::InterfaceType type, void* other)
    {
        return type == QAccessible::AttributesInterface ? static_cast<QAccessibleAttributesInterface*>(this)
                                                        : other;
    }
    virtual int rows() const = 0;
};
#else
// Qt 6.4 has no attributes to say it with (and Orca 43 counts every row).
class ListSize {
protected:
    static void* sizeInterface(QAccessible::InterfaceType /*type*/, void* other) { return other; }
    virtual int rows() const = 0;
};
#endif

// A pick list with its rows, as the toolkit's own list shows them, and its size.
class ListBoxAccessible final : public QAccessibleWidget, public ListSize {
public:
    explicit ListBoxAccessible(QListWidget* list)
        : QAccessibleWidget(list, QAccessible::List)
    {
    }

    ListBoxAccessible(const ListBoxAccessible&) = delete;
    ListBoxAccessible& operator=(const ListBoxAccessible&) = delete;
    ListBoxAccessible(ListBoxAccessible&&) = delete;
    ListBoxAccessible& operator=(ListBoxAccessible&&) = delete;

    ~ListBoxAccessible() override
    {
        for (const auto& row : m_rows) {
            QAccessible::deleteAccessibleInterface(row.second);
        }
    }

    int childCount() const override { return list().count(); }

    // The same interface for a row as long as the row stays; the toolkit's events name rows by
    // their number, and this is where they are found.
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= list().count()) {
            return nullptr;
        }
        std::erase_if(m_rows, [](const std::pair<QPersistentModelIndex, QAccessible::Id>& row) {
            if (row.first.isValid()) {
                return false;
            }
            QAccessible::deleteAccessibleInterface(row.second);
            return true;
        });
        const QModelIndex wanted = list().model()->index(index, 0);
        const auto kept = std::find_if(
            m_rows.begin(), m_rows.end(), [&](const auto& row) { return row.first == wanted; });
        if (kept != m_rows.end()) {
            return QAccessible::accessibleInterface(kept->second);
        }
        auto* row = new ListRowAccessible(&list(), wanted);
        m_rows.emplace_back(row->index(), QAccessible::registerAccessibleInterface(row));
        return row;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* row = dynamic_cast<const ListRowAccessible*>(child);
        return row != nullptr && row->isValid() && row->parent() == this ? row->index().row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QModelIndex at = list().indexAt(list().viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        return list().hasFocus() ? child(list().currentRow()) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return sizeInterface(type, QAccessibleWidget::interface_cast(type));
    }

private:
    int rows() const override { return childCount(); }
    QListWidget& list() const { return *static_cast<QListWidget*>(widget()); }

    mutable std::vector<std::pair<QPersistentModelIndex, QAccessible::Id>> m_rows;
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
    if (className == QLatin1String("bitki::ListBox")) {
        return new ListBoxAccessible(static_cast<QListWidget*>(object));
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(quizFormFactory);
}

} // namespace bitki
