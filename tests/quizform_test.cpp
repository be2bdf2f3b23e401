#include "content.h"
#include "design.h"
#include "desktop_scenarios.h"
#include "qtcontrols.h"
#include "quizform.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace bitki {
namespace {

using test::Control;
using test::Key;
using test::Rows;
using test::RowsOf;

void expectTextsFit(const QuizForm& form);

// The Qt window, played through the adapter that the scenarios drive.
class QtWindow {
public:
    void open()
    {
        form = std::make_unique<QuizForm>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void close() { form.reset(); }

    Rows rows(int index) const { return RowsOf(QtListControl(list(index), false)); }
    int selected(int index) const { return static_cast<int>(list(index).selectedItems().size()); }
    Position cursor(int index) const { return static_cast<Position>(list(index).currentRow()); }
    std::string text(int index) const { return form->text1Text(index); }
    bool visible(Control control) const { return widget(control)->isVisible(); }
    bool hiddenKey(int index) const { return !list(index).isVisible(); }
    bool hiddenAphorism() const { return !form->text1(text1::Aphorism)->isVisible(); }

    Control focus() const
    {
        const std::array controls{Control::Feedback, Control::Battles, Control::Commanders, Control::Restart};
        const auto* found = std::find_if(controls.begin(), controls.end(),
            [this](Control control) { return QApplication::focusWidget() == widget(control); });
        return found != controls.end() ? *found : Control::Other;
    }

    void click(int index, std::string_view text) const
    {
        QListWidget& box = list(index);
        const auto items = box.findItems(toQString(text), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text;
        box.scrollToItem(items.first());
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, box.visualItemRect(items.first()).center());
    }

    void clickBesideRows(int index) const
    {
        QWidget& area = *list(index).viewport();
        QTest::mouseClick(&area, Qt::LeftButton, {}, area.rect().center());
        QTest::mouseDClick(&area, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void clickRestart() const { QTest::mouseClick(form->command1(), Qt::LeftButton); }
    void command1Click(int index) const { form->Command1_Click(index); }

    void press(Key key) const
    {
        static const std::map<Key, QKeyCombination> Keys{{Key::Tab, Qt::Key_Tab},
            {Key::BackTab, Qt::Key_Backtab}, {Key::Up, Qt::Key_Up}, {Key::Down, Qt::Key_Down},
            {Key::Home, Qt::Key_Home}, {Key::End, Qt::Key_End}, {Key::PageUp, Qt::Key_PageUp},
            {Key::PageDown, Qt::Key_PageDown}, {Key::Space, Qt::Key_Space}, {Key::Enter, Qt::Key_Return},
            {Key::KeypadEnter, Qt::KeypadModifier | Qt::Key_Enter}, {Key::ZoomIn, Qt::CTRL | Qt::Key_Plus},
            {Key::ZoomInEquals, Qt::CTRL | Qt::Key_Equal}, {Key::ZoomOut, Qt::CTRL | Qt::Key_Minus},
            {Key::ZoomReset, Qt::CTRL | Qt::Key_0}};
        const QKeyCombination combination = Keys.at(key);
        QTest::keyClick(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
    }

    // QTest::keyClicks knows only ASCII; a Cyrillic keyboard sends the letter as text.
    void type(std::string_view letters) const
    {
        for (const QChar letter : toQString(letters)) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                static_cast<Qt::Key>(letter.toUpper().unicode()), QString(letter), Qt::NoModifier);
        }
    }

    void pause(int milliseconds) const { QTest::qWait(milliseconds); }

    int pageStep(int index) const
    {
        return PageStep(list(index).viewport()->height() / list(index).sizeHintForRow(0));
    }

    // Qt's box puts its caret at the start of a new text: a screen reader reads from that line.
    std::string verdictInHand() const
    {
        return form->text1(text1::Feedback)->textCursor().block().text().toStdString();
    }

    double scale() const { return form->scale(); }
    void resizeClient(int width, int height) const { form->resize(width, height); }
    std::pair<int, int> clientSize() const { return {form->width(), form->height()}; }
    design::Rect placed(Control control) const
    {
        const QRect at = widget(control)->geometry();
        return {at.left(), at.top(), at.width(), at.height()};
    }
    double fontPixels(Control control) const { return widget(control)->font().pointSizeF() * 96 / 72; }
    void expectTextsFit() const { bitki::expectTextsFit(*form); }
    design::Rgb marginColour() const
    {
        const QColor colour = form->grab().toImage().pixelColor(1, 1);
        return {colour.red(), colour.green(), colour.blue()};
    }
    bool withinWorkArea() const
    {
        return form->screen()->availableGeometry().contains(form->frameGeometry());
    }

    QListWidget& list(int index) const { return *form->list1(index); }
    QWidget* widget(Control control) const
    {
        const std::array<QWidget*, 5> widgets{form->text1(text1::Feedback), form->list1(list1::BattlePicks),
            form->list1(list1::CommanderPicks), form->command1(), form->label1()};
        return widgets.at(static_cast<std::size_t>(control));
    }

    std::unique_ptr<QuizForm> form;
};

} // namespace

namespace test {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, GameScenario, QtWindow);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowScenario, QtWindow);
} // namespace test

namespace {

// What only the Qt window has to show: its geometry, fonts and colours (accessibility_test
// reads its accessibility tree as a screen reader does).
class QuizFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.open();
        form = window.form.get();
    }

    QListWidget& list(int index) const { return window.list(index); }

    QtWindow window;
    QuizForm* form = nullptr;
};

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
    // The box shows the task statement's lines, each CR LF a line break.
    QString shown = toQString(TaskStatement);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(box.toPlainText(), shown);
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

} // namespace
} // namespace bitki
