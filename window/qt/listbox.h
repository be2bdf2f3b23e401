#pragma once

#include <QListWidget>

namespace bitki {

// A list box where only a deliberate pick selects a row: a mouse press, or
// Space or Enter on the row under the cursor. Arrow keys, Home, End, the page
// keys and type-ahead move the cursor without selecting, so browsing the list
// with the keyboard never judges a pair. Entering the list tells assistive
// technology which row the cursor is on.
class ListBox final : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListBox)

public:
    explicit ListBox(QWidget* parent);
    ~ListBox() override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void announceCursorRow();
};

} // namespace bitki
