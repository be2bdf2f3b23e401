#include "browsing.h"
#include "content.h"
#include "design.h"
#include "quizform.h"
#include "sorted_rows.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace bitki {
namespace {

using Rows = std::vector<std::string>;
using test::SortedBattles;
using test::SortedCommanders;

std::string verdict(std::string_view word, std::string_view battle, std::string_view commander)
{
    return std::string(word) + std::string(battle) + " " + std::string(commander) + "\r\n";
}

class QuizFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<QuizForm>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QListWidget& list(int index) const { return *form->list1(index); }
    std::string feedback() const { return form->text1Text(text1::Feedback); }

    Rows rows(int index) const
    {
        Rows result;
        for (int i = 0; i < list(index).count(); ++i) {
            result.push_back(list(index).item(i)->text().toStdString());
        }
        return result;
    }

    bool anySelection() const
    {
        return !list(list1::BattlePicks).selectedItems().isEmpty()
            || !list(list1::CommanderPicks).selectedItems().isEmpty();
    }

    // What a user does: scroll the row into view and click it.
    void click(int index, std::string_view text)
    {
        QListWidget& widget = list(index);
        const auto items = widget.findItems(toQString(text), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text;
        widget.scrollToItem(items.first());
        QTest::mouseClick(
            widget.viewport(), Qt::LeftButton, {}, widget.visualItemRect(items.first()).center());
    }

    void key(QWidget& widget, Qt::Key key) { QTest::keyClick(&widget, key); }

    // QTest::keyClicks knows only ASCII; a Cyrillic keyboard sends the letter as text.
    void type(QWidget& widget, const QString& text)
    {
        for (const QChar letter : text) {
            QTest::sendKeyEvent(QTest::Click, &widget, static_cast<Qt::Key>(letter.toUpper().unicode()),
                QString(letter), Qt::NoModifier);
        }
    }

    std::unique_ptr<QuizForm> form;
};

TEST_F(QuizFormTest, StartsWithSortedListsAndTheTaskStatement)
{
    EXPECT_EQ(rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(feedback(), TaskStatement);
    QString shown = toQString(TaskStatement);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(form->text1(text1::Feedback)->toPlainText(), shown);

    // The key and the aphorism are there, but never shown.
    for (std::size_t i = 0; i < AnswerKey.size(); ++i) {
        EXPECT_EQ(rows(list1::KeyBattles)[i], AnswerKey[i].battle);
        EXPECT_EQ(rows(list1::KeyCommanders)[i], AnswerKey[i].commander);
        EXPECT_EQ(rows(list1::KeyDescriptions)[i], AnswerKey[i].description);
    }
    EXPECT_EQ(form->text1Text(text1::Aphorism), Aphorism);
    for (int i : {list1::KeyBattles, list1::KeyCommanders, list1::KeyDescriptions}) {
        EXPECT_FALSE(list(i).isVisible()) << i;
    }
    EXPECT_FALSE(form->text1(text1::Aphorism)->isVisible());
    EXPECT_TRUE(list(list1::BattlePicks).isVisible());
    EXPECT_TRUE(list(list1::CommanderPicks).isVisible());
    EXPECT_TRUE(form->text1(text1::Feedback)->isVisible());
}

TEST_F(QuizFormTest, LaidOutAsDesigned)
{
    const auto expectAt = [](const QWidget& widget, const design::Rect& rect) {
        EXPECT_EQ(widget.geometry(), QRect(rect.left, rect.top, rect.width, rect.height))
            << widget.objectName().toStdString();
    };
    for (int i = 0; i < 5; ++i) {
        expectAt(list(i), design::List1Rects[i]);
    }
    for (int i = 0; i < 2; ++i) {
        expectAt(*form->text1(i), design::Text1Rects[i]);
    }
    expectAt(*form->label1(), design::Label1Rect);
    expectAt(*form->command1(), design::Command1Rect);

    EXPECT_EQ(form->size(), QSize(461, 345));
    // It may grow (a projector), never shrink below the design.
    EXPECT_EQ(form->minimumSize(), QSize(461, 345));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("www.bitki.example История - битки, сражения"));
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(QApplication::applicationVersion(), QStringLiteral(BITKI_VERSION));
    EXPECT_EQ(form->label1()->text(), QStringLiteral("История - България, битки"));
    EXPECT_EQ(form->command1()->text(), QStringLiteral("Чисти"));

    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_EQ(form->label1()->palette().color(QPalette::Window), QColor(255, 192, 128));
    EXPECT_EQ(form->command1()->palette().color(QPalette::Button), QColor(255, 128, 128));

    for (QWidget* widget : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_EQ(widget->font().family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(widget->font().pointSize(), 12);
        EXPECT_FALSE(widget->font().bold());
    }
    QPlainTextEdit& box = *form->text1(text1::Feedback);
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_EQ(box.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// Nothing may be cut off, and every Cyrillic letter must have a glyph.
void expectTextsFit(const QuizForm& form)
{
    const auto expectGlyphs = [](const QWidget& widget, const QString& text) {
        for (const QChar letter : text) {
            EXPECT_TRUE(letter.isSpace() || widget.fontMetrics().inFont(letter))
                << widget.objectName().toStdString() << " has no glyph for U+" << std::hex
                << static_cast<int>(letter.unicode());
        }
    };
    const QLabel& heading = *form.label1();
    EXPECT_LE(heading.fontMetrics().horizontalAdvance(heading.text()), heading.contentsRect().width());
    EXPECT_LE(heading.fontMetrics().height(), heading.contentsRect().height());
    expectGlyphs(heading, heading.text());

    const QPushButton& button = *form.command1();
    EXPECT_LE(button.fontMetrics().horizontalAdvance(button.text()) + 8, button.width());
    EXPECT_LE(button.fontMetrics().height(), button.height());
    expectGlyphs(button, button.text());

    for (int i : {list1::BattlePicks, list1::CommanderPicks}) {
        const QListWidget& widget = *form.list1(i);
        for (int row = 0; row < widget.count(); ++row) {
            const QRect rect = widget.visualItemRect(widget.item(row));
            const int textWidth = widget.fontMetrics().horizontalAdvance(widget.item(row)->text());
            EXPECT_LE(textWidth + 2, widget.viewport()->width()) << widget.item(row)->text().toStdString();
            EXPECT_GE(rect.height(), widget.fontMetrics().height());
            expectGlyphs(widget, widget.item(row)->text());
        }
    }
    const QPlainTextEdit& feedback = *form.text1(text1::Feedback);
    expectGlyphs(feedback, toQString(TaskStatement).remove(QLatin1Char('\r')));
    // Every verdict line, the longest wrong one included, stays one line on screen.
    const int room
        = feedback.viewport()->width() - 2 * static_cast<int>(feedback.document()->documentMargin());
    for (const KeyRow& row : AnswerKey) {
        expectGlyphs(feedback, toQString(row.description));
        for (const KeyRow& other : AnswerKey) {
            const QString line = toQString(VerdictWrong) + toQString(row.battle) + QLatin1Char(' ')
                + toQString(other.commander);
            EXPECT_LE(feedback.fontMetrics().horizontalAdvance(line), room) << line.toStdString();
        }
    }
}

// Run again with a scale factor and with a fallback font.
TEST_F(QuizFormTest, EveryTextFitsItsControlAndHasGlyphs)
{
    expectTextsFit(*form);
    // A serif face, the designed one or the nearest installed.
    const QString face = QFontInfo(form->font()).family();
    const char* expected = std::getenv("BITKI_EXPECTED_FACE");
    EXPECT_EQ(face, QString::fromUtf8(expected != nullptr ? expected : "Liberation Serif"));
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(461, 345) * form->devicePixelRatioF());
}

// A projector: the window grows, and the design grows with it as one picture.
TEST_F(QuizFormTest, EnlargedWindowScalesTheWholeDesignByOneFactor)
{
    const qreal designPoints = form->font().pointSizeF();
    for (const QSize size : {QSize(1383, 1035), QSize(1920, 1050), QSize(700, 900)}) {
        form->resize(size);
        const qreal factor = std::min(size.width() / 461.0, size.height() / 345.0);
        const QPointF origin((size.width() - 461 * factor) / 2, (size.height() - 345 * factor) / 2);
        EXPECT_DOUBLE_EQ(form->scale(), factor);
        const auto expectScaled = [&](const QWidget& widget, const design::Rect& rect) {
            const QRectF wanted(
                origin + QPointF(rect.left, rect.top) * factor, QSizeF(rect.width, rect.height) * factor);
            const QRect actual = widget.geometry();
            EXPECT_NEAR(actual.left(), wanted.left(), 1) << widget.objectName().toStdString();
            EXPECT_NEAR(actual.top(), wanted.top(), 1) << widget.objectName().toStdString();
            EXPECT_NEAR(actual.width(), wanted.width(), 1) << widget.objectName().toStdString();
            EXPECT_NEAR(actual.height(), wanted.height(), 1) << widget.objectName().toStdString();
            EXPECT_TRUE(form->rect().contains(actual)) << widget.objectName().toStdString();
            EXPECT_DOUBLE_EQ(widget.font().pointSizeF(), designPoints * factor);
        };
        for (int i = 0; i < 5; ++i) {
            expectScaled(list(i), design::List1Rects[i]);
        }
        expectScaled(*form->text1(text1::Feedback), design::Text1Rects[0]);
        expectScaled(*form->label1(), design::Label1Rect);
        expectScaled(*form->command1(), design::Command1Rect);
        expectTextsFit(*form);
    }

    // Ctrl+0 gives the designed size back; Ctrl+Plus grows it again, Ctrl+Minus shrinks it.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->size(), QSize(461, 345));
    EXPECT_DOUBLE_EQ(form->scale(), 1);
    EXPECT_EQ(list(list1::BattlePicks).geometry(), QRect(16, 56, 241, 118));
    QTest::keyClick(form.get(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_NEAR(form->scale(), 1.5, 0.005);
    QTest::keyClick(form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(form->scale(), 1.25, 0.005);
    EXPECT_TRUE(form->screen()->availableGeometry().contains(form->frameGeometry()));
}

TEST_F(QuizFormTest, AssistiveTechnologySeesTheVisibleControlsByName)
{
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    std::vector<std::pair<QAccessible::Role, QString>> seen;
    for (int i = 0; i < window->childCount(); ++i) {
        const QAccessibleInterface* child = window->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(window->indexOfChild(child), i);
        seen.emplace_back(child->role(), child->text(QAccessible::Name));
        EXPECT_TRUE(qobject_cast<QWidget*>(child->object())->isVisible())
            << child->text(QAccessible::Name).toStdString();
    }
    const std::vector<std::pair<QAccessible::Role, QString>> expected{
        {QAccessible::EditableText, QStringLiteral("Отговор")},
        {QAccessible::StaticText, QStringLiteral("История - България, битки")},
        {QAccessible::List, QStringLiteral("Битки")},
        {QAccessible::List, QStringLiteral("Пълководци")},
        {QAccessible::Button, QStringLiteral("Чисти")},
    };
    EXPECT_EQ(seen, expected);
    for (QWidget* widget :
        {static_cast<QWidget*>(form->text1(text1::Feedback)), static_cast<QWidget*>(&list(0)),
            static_cast<QWidget*>(&list(1)), static_cast<QWidget*>(form->command1())}) {
        EXPECT_FALSE(widget->accessibleDescription().isEmpty()) << widget->objectName().toStdString();
    }
}

// WCAG 2.1: text needs 4.5:1 against its background.
double luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
        + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

TEST_F(QuizFormTest, TextContrastMeetsWcagAA)
{
    const auto expectReadable
        = [](const QWidget& widget, QPalette::ColorRole text, QPalette::ColorRole background) {
              for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                  const QPalette& palette = widget.palette();
                  EXPECT_GE(contrast(palette.color(group, text), palette.color(group, background)), 4.5)
                      << widget.objectName().toStdString() << " roles " << text << " on " << background;
              }
          };
    expectReadable(*form->label1(), QPalette::WindowText, QPalette::Window);
    expectReadable(*form->command1(), QPalette::ButtonText, QPalette::Button);
    expectReadable(*form->text1(text1::Feedback), QPalette::Text, QPalette::Base);
    for (int i : {list1::BattlePicks, list1::CommanderPicks}) {
        expectReadable(list(i), QPalette::Text, QPalette::Base);
        expectReadable(list(i), QPalette::HighlightedText, QPalette::Highlight);
    }
    // The focus outline is drawn in the selection colour on the window's background.
    EXPECT_GE(
        contrast(list(0).palette().color(QPalette::Highlight), form->palette().color(QPalette::Window)), 3.0);
}

TEST_F(QuizFormTest, FocusStartsInTheFeedbackBoxAndTabFollowsTheDesign)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const std::vector<QWidget*> order{form->text1(text1::Feedback), &list(list1::BattlePicks),
        &list(list1::CommanderPicks), form->command1(), form->text1(text1::Feedback)};
    EXPECT_EQ(QApplication::focusWidget(), order.front());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " Tab";
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), form->command1());
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(feedback(), TaskStatement);
}

class ChoosingOrder : public QuizFormTest, public testing::WithParamInterface<bool> {};

TEST_P(ChoosingOrder, MouseJudgesOncePerPair)
{
    const bool commanderFirst = GetParam();
    const auto choose = [&](std::string_view battle, std::string_view commander) {
        const std::string before = feedback();
        if (commanderFirst) {
            click(list1::CommanderPicks, commander);
        } else {
            click(list1::BattlePicks, battle);
        }
        // One pick alone is not judged.
        EXPECT_EQ(feedback(), before);
        if (commanderFirst) {
            click(list1::BattlePicks, battle);
        } else {
            click(list1::CommanderPicks, commander);
        }
    };

    choose("Битка при Ахелой", "цар Симеон");
    EXPECT_EQ(feedback(),
        verdict("Вярно: ", "Битка при Ахелой", "цар Симеон") + std::string(AnswerKey[3].description));
    Rows battles = SortedBattles;
    battles.erase(battles.begin() + 1);
    Rows commanders = SortedCommanders;
    commanders.erase(commanders.begin() + 9);
    EXPECT_EQ(rows(list1::BattlePicks), battles);
    EXPECT_EQ(rows(list1::CommanderPicks), commanders);
    EXPECT_FALSE(anySelection());

    choose("Битка при Адрианопол", "хан Крум");
    EXPECT_EQ(feedback(), verdict("Грешка: ", "Битка при Адрианопол", "хан Крум"));
    EXPECT_EQ(list(list1::BattlePicks).count(), 8);
    EXPECT_EQ(list(list1::CommanderPicks).count(), 8);
    EXPECT_FALSE(anySelection());
}

INSTANTIATE_TEST_SUITE_P(QuizForm, ChoosingOrder, testing::Values(false, true),
    [](const auto& info) { return info.param ? "CommanderFirst" : "BattleFirst"; });

TEST_F(QuizFormTest, KeyboardBrowsesWithoutJudgingAndPicksWithSpaceOrEnter)
{
    QListWidget& battles = list(list1::BattlePicks);
    QListWidget& commanders = list(list1::CommanderPicks);
    battles.setFocus();
    // Each key's row, as the page step of the rows the list shows.
    const int page = PageStep(battles.viewport()->height() / battles.sizeHintForRow(0));
    const std::vector<std::pair<Qt::Key, int>> moves{{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_End, 9},
        {Qt::Key_Home, 0}, {Qt::Key_PageDown, page}, {Qt::Key_Up, page - 1}, {Qt::Key_PageUp, 0}};
    for (const auto& [k, row] : moves) {
        key(battles, k);
        EXPECT_EQ(battles.currentRow(), row) << QTest::toString(k);
    }
    // First letters: more letters narrow the search; after a pause the letter starts below the cursor.
    const std::vector<std::tuple<QListWidget*, QString, std::string>> typed{
        {&battles, QStringLiteral("Лю"), "Люлебургас - БунарХисар"},
        {&commanders, QStringLiteral("ц"), "цар Иван Асен II"},
        {&commanders, QStringLiteral("ц"), "цар Калоян"}};
    for (const auto& [widget, letters, row] : typed) {
        type(*widget, letters);
        EXPECT_EQ(widget->currentItem()->text().toStdString(), row) << letters.toStdString();
        QTest::qWait(static_cast<int>(TypeAheadPause) + 100);
    }
    key(commanders, Qt::Key_End);
    EXPECT_EQ(commanders.currentItem()->text(), QStringLiteral("цар Симеон"));
    key(commanders, Qt::Key_Up);
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(feedback(), TaskStatement);
    EXPECT_EQ(commanders.currentItem()->text(), QStringLiteral("цар Калоян"));

    key(battles, Qt::Key_Home);
    key(battles, Qt::Key_Space);
    EXPECT_EQ(battles.selectedItems().size(), 1);
    EXPECT_EQ(feedback(), TaskStatement);
    key(commanders, Qt::Key_Return);
    EXPECT_EQ(feedback(),
        verdict("Вярно: ", "Битка при Адрианопол", "цар Калоян") + std::string(AnswerKey[4].description));
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(battles.count(), 9);
    EXPECT_EQ(commanders.count(), 9);
    // Each cursor rests on the row that moved into the place of the picked one.
    EXPECT_EQ(battles.currentRow(), 0);
    EXPECT_EQ(commanders.currentItem()->text(), QStringLiteral("цар Симеон"));

    key(battles, Qt::Key_Enter);
    key(commanders, Qt::Key_Space);
    EXPECT_EQ(feedback(),
        verdict("Вярно: ", "Битка при Ахелой", "цар Симеон") + std::string(AnswerKey[3].description));
}

// Keys go wherever the focus is, as they do for a user without a mouse.
TEST_F(QuizFormTest, KeyboardAlonePlaysAFullGameAndRestarts)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    const auto moveTo = [&](int index, std::string_view text) {
        press(Qt::Key_Home);
        while (list(index).currentItem() != nullptr && list(index).currentItem()->text() != toQString(text)
            && list(index).currentRow() < list(index).count() - 1) {
            press(Qt::Key_Down);
        }
        ASSERT_EQ(list(index).currentItem()->text(), toQString(text));
    };

    press(Qt::Key_Tab);
    for (const KeyRow& row : AnswerKey) {
        ASSERT_EQ(QApplication::focusWidget(), &list(list1::BattlePicks));
        moveTo(list1::BattlePicks, row.battle);
        const std::string before = feedback();
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        moveTo(list1::CommanderPicks, row.commander);
        EXPECT_EQ(feedback(), before);
        press(Qt::Key_Return);
        EXPECT_EQ(feedback(), verdict("Вярно: ", row.battle, row.commander) + std::string(row.description));
        EXPECT_FALSE(anySelection());
        // The verdict has the focus, for a screen reader to speak; Tab leads back to the battles.
        EXPECT_EQ(QApplication::focusWidget(), form->text1(text1::Feedback));
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(list(list1::BattlePicks).count(), 0);
    EXPECT_EQ(list(list1::CommanderPicks).count(), 0);

    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form->command1());
    press(Qt::Key_Space);
    EXPECT_EQ(rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(feedback(), "");
    // A new game starts at the battles, with the cursor on the first one and nothing chosen.
    EXPECT_EQ(QApplication::focusWidget(), &list(list1::BattlePicks));
    EXPECT_EQ(list(list1::BattlePicks).currentRow(), 0);
    EXPECT_FALSE(anySelection());
    // Enter presses the button too.
    click(list1::BattlePicks, "Битка при Дойран");
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form->command1());
    press(Qt::Key_Return);
    EXPECT_EQ(list(list1::BattlePicks).count(), 10);
    EXPECT_FALSE(anySelection());
}

TEST_F(QuizFormTest, FullGameThenClicksOnEmptyListsThenRestart)
{
    for (const KeyRow& row : AnswerKey) {
        const int before = list(list1::BattlePicks).count();
        click(list1::BattlePicks, row.battle);
        click(list1::CommanderPicks, row.commander);
        EXPECT_EQ(list(list1::BattlePicks).count(), before - 1);
        EXPECT_EQ(list(list1::CommanderPicks).count(), before - 1);
        EXPECT_FALSE(anySelection());
    }
    const std::string last = feedback();
    EXPECT_EQ(last,
        verdict("Вярно: ", "Битка при Върбишки проход", "хан Крум") + std::string(AnswerKey[9].description));

    for (int i : {list1::BattlePicks, list1::CommanderPicks}) {
        QTest::mouseClick(list(i).viewport(), Qt::LeftButton, {}, list(i).viewport()->rect().center());
        QTest::mouseDClick(list(i).viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        key(list(i), Qt::Key_Space);
        key(list(i), Qt::Key_Down);
    }
    EXPECT_EQ(feedback(), last);
    EXPECT_EQ(list(list1::BattlePicks).count(), 0);

    QTest::mouseClick(form->command1(), Qt::LeftButton);
    EXPECT_EQ(rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(feedback(), "");
    EXPECT_TRUE(form->text1(text1::Feedback)->toPlainText().isEmpty());
}

TEST_F(QuizFormTest, RestartInMidGameAndOnlyForButtonZero)
{
    click(list1::BattlePicks, "Битка при Дойран");
    click(list1::CommanderPicks, "кота 1050");
    click(list1::BattlePicks, "Тутраканска операция");

    form->Command1_Click(1);
    EXPECT_EQ(list(list1::BattlePicks).count(), 9);
    EXPECT_EQ(list(list1::BattlePicks).selectedItems().size(), 1);
    EXPECT_EQ(feedback(), verdict("Грешка: ", "Битка при Дойран", "кота 1050"));

    form->Command1_Click(0);
    EXPECT_EQ(rows(list1::BattlePicks), SortedBattles);
    EXPECT_EQ(rows(list1::CommanderPicks), SortedCommanders);
    EXPECT_FALSE(anySelection());
    EXPECT_EQ(feedback(), "");
    // The task statement does not come back.
    form->Command1_Click(0);
    EXPECT_EQ(feedback(), "");
}

} // namespace
} // namespace bitki
