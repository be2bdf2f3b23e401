#include "listbox.h"

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

} // namespace bitki
