#include "listbox.h"

#include <QAccessible>
#include <QKeyEvent>

namespace bitki {

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

ListBox::~ListBox() = default;

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    // Only a press on a row picks it. Keys, drags and type-ahead move the cursor, and a press
    // below the last row leaves a pick standing.
    if (index.isValid() && event != nullptr
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        return QListWidget::selectionCommand(index, event);
    }
    return QItemSelectionModel::NoUpdate;
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const QModelIndex cursor = currentIndex(); cursor.isValid()) {
            selectionModel()->select(cursor, QItemSelectionModel::ClearAndSelect);
        }
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    // Qt announces the row before the list itself, so a screen reader ends on the list and never
    // says the row: announce it again once the list has been announced.
    QMetaObject::invokeMethod(this, &ListBox::announceCursorRow, Qt::QueuedConnection);
}

void ListBox::announceCursorRow()
{
    if (!QAccessible::isActive() || !hasFocus() || !currentIndex().isValid()) {
        return;
    }
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(currentIndex().row());
    QAccessible::updateAccessibility(&event);
}

} // namespace bitki
