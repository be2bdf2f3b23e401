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
    if (event != nullptr
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        return QListWidget::selectionCommand(index, event);
    }
    // Keys, drags and type-ahead move the cursor only.
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
