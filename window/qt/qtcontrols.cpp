#include "qtcontrols.h"

#include "browsing.h"

#include <QAccessible>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace bitki {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

// Case folding makes the order independent of the user's locale.
bool lessIgnoringCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

QtListControl::QtListControl(QListWidget& widget, bool sorted)
    : m_widget(widget)
    , m_sorted(sorted)
{
}

Position QtListControl::ListCount() const
{
    return static_cast<Position>(m_widget.count());
}

std::string QtListControl::List(Position row) const
{
    const QListWidgetItem* item = m_widget.item(row);
    return item != nullptr ? item->text().toStdString() : std::string();
}

Position QtListControl::ListIndex() const
{
    const QModelIndexList selected = m_widget.selectionModel()->selectedIndexes();
    return selected.isEmpty() ? NoRow : static_cast<Position>(selected.constFirst().row());
}

void QtListControl::Clear()
{
    const QSignalBlocker blocker(&m_widget);
    m_widget.clear();
    // A new game shows the top of the list.
    m_widget.scrollToTop();
}

void QtListControl::AddItem(std::string_view text)
{
    const QSignalBlocker blocker(&m_widget);
    const QString row = toQString(text);
    int at = m_sorted ? 0 : m_widget.count();
    // After every row that does not sort after the new one.
    while (at < m_widget.count() && !lessIgnoringCase(row, m_widget.item(at)->text())) {
        ++at;
    }
    m_widget.insertItem(at, row);
}

void QtListControl::RemoveItem(Position row)
{
    if (row < 0 || row >= m_widget.count()) {
        return;
    }
    const QSignalBlocker blocker(&m_widget);
    QItemSelectionModel& selection = *m_widget.selectionModel();
    const int selected = ListIndex();
    const int cursor = m_widget.currentRow();
    // A single-selection view selects a neighbour when its current row goes;
    // with no current row it has nothing to move.
    selection.clear();
    delete m_widget.takeItem(row);

    const auto shifted = [row](int r) { return r > row ? r - 1 : r; };
    const auto at = [this](int r) { return m_widget.model()->index(r, 0); };
    {
        // A list without the focus moves its cursor silently: the view would announce the new
        // row as focused to assistive technology, and take a screen reader away from wherever
        // the focus really is.
        const QSignalBlocker silent(m_widget.hasFocus() ? nullptr : &selection);
        const Position next
            = CursorAfterRemoval(static_cast<Position>(cursor), row, static_cast<Position>(m_widget.count()));
        if (next != NoRow) {
            selection.setCurrentIndex(at(next), QItemSelectionModel::NoUpdate);
        }
        if (selected != NoRow && selected != row) {
            selection.select(at(shifted(selected)), QItemSelectionModel::Select);
        }
    }
    m_widget.viewport()->update();
}

QtTextControl::QtTextControl(QPlainTextEdit& widget)
    : m_widget(widget)
{
}

std::string QtTextControl::Text() const
{
    return m_text;
}

void QtTextControl::Text(std::string_view text)
{
    m_text = text;
    m_widget.setPlainText(toQString(text));
    // What the box says of itself follows its text (the paragraph after a right verdict): say so,
    // or a screen reader that keeps descriptions reads an earlier battle's paragraph later.
    QAccessibleEvent changed(&m_widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

} // namespace bitki
