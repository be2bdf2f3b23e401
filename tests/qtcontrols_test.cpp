#include "qtcontrols.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bitki {
namespace {

std::vector<std::string> rows(const QListWidget& widget)
{
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(widget.count()));
    for (int i = 0; i < widget.count(); ++i) {
        result.push_back(widget.item(i)->text().toStdString());
    }
    return result;
}

TEST(QtListControl, SortedListIgnoresCaseWhateverTheLocale)
{
    QListWidget widget;
    QtListControl list(widget, true);
    for (const char* text : {"б", "А", "в", "Битка при Клокотница", "Битка при завоя на Черна",
             "ген.Никола Иванов", "ген. Радко Димитриев"}) {
        list.AddItem(text);
    }
    EXPECT_EQ(rows(widget),
        std::vector<std::string>({"А", "б", "Битка при завоя на Черна", "Битка при Клокотница", "в",
            "ген. Радко Димитриев", "ген.Никола Иванов"}));
    EXPECT_EQ(list.ListCount(), 7);
    EXPECT_EQ(list.List(3), "Битка при Клокотница");
    EXPECT_EQ(list.List(7), "");
    EXPECT_EQ(list.List(NoRow), "");
}

TEST(QtListControl, UnsortedListKeepsTheOrderOfAdding)
{
    QListWidget widget;
    QtListControl list(widget, false);
    for (const char* text : {"в", "А", "б"}) {
        list.AddItem(text);
    }
    EXPECT_EQ(rows(widget), std::vector<std::string>({"в", "А", "б"}));
}

class QtListControlRemoval : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* text : {"а", "б", "в", "г"}) {
            list.AddItem(text);
        }
    }

    void select(int row)
    {
        widget.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        ASSERT_EQ(list.ListIndex(), row);
    }

    QListWidget widget;
    QtListControl list{widget, true};
};

TEST_F(QtListControlRemoval, RemovingTheSelectedRowLeavesNothingSelectedAndSaysNothing)
{
    select(1);
    QSignalSpy selectionSpy(&widget, &QListWidget::itemSelectionChanged);
    QSignalSpy currentSpy(&widget, &QListWidget::currentRowChanged);
    list.RemoveItem(1);
    EXPECT_EQ(rows(widget), std::vector<std::string>({"а", "в", "г"}));
    EXPECT_EQ(list.ListIndex(), NoRow);
    EXPECT_TRUE(widget.selectedItems().isEmpty());
    // The cursor rests on the row that moved up.
    EXPECT_EQ(widget.currentRow(), 1);
    EXPECT_EQ(selectionSpy.count(), 0);
    EXPECT_EQ(currentSpy.count(), 0);

    select(2);
    list.RemoveItem(2);
    EXPECT_EQ(list.ListIndex(), NoRow);
    EXPECT_EQ(widget.currentRow(), 1);
}

TEST_F(QtListControlRemoval, RemovingAnotherRowKeepsTheSelection)
{
    select(2);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.List(list.ListIndex()), "в");
    list.RemoveItem(2);
    EXPECT_EQ(list.ListIndex(), 1);
}

TEST_F(QtListControlRemoval, PositionsWithoutARowAreIgnored)
{
    select(0);
    list.RemoveItem(4);
    list.RemoveItem(NoRow);
    EXPECT_EQ(list.ListCount(), 4);
    EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(QtListControlRemoval, ClearLeavesNothingSelectedAndSaysNothing)
{
    select(3);
    QSignalSpy selectionSpy(&widget, &QListWidget::itemSelectionChanged);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), NoRow);
    EXPECT_EQ(selectionSpy.count(), 0);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListCount(), 0);
}

TEST(QtTextControl, KeepsCrLfExactlyAndShowsLineBreaks)
{
    QPlainTextEdit widget;
    QtTextControl text(widget);
    const std::string written = "Вярно: а б\r\nпърви\r\nвтори\r\n";
    text.Text(written);
    EXPECT_EQ(text.Text(), written);
    EXPECT_EQ(widget.toPlainText(), QStringLiteral("Вярно: а б\nпърви\nвтори\n"));
    EXPECT_EQ(widget.blockCount(), 4);
    text.Text("");
    EXPECT_EQ(text.Text(), "");
    EXPECT_TRUE(widget.toPlainText().isEmpty());
}

} // namespace
} // namespace bitki
