// Long seeded runs of random user input against the real window, each step checked against a
// model of the game kept here. A failing run names its seed and the shortest input that still fails.

#include "content.h"
#include "qtcontrols.h"
#include "quizform.h"
#include "sorted_rows.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace bitki {
namespace {

using Rows = std::vector<std::string>;
using test::SortedBattles;
using test::SortedCommanders;

// The game as the rules say it goes, knowing nothing of widgets.
class Model {
public:
    void pick(int list, const std::string& row)
    {
        m_picks.at(static_cast<std::size_t>(list)) = row;
        const auto& [battle, commander] = m_picks;
        if (battle && commander) {
            judge(*battle, *commander);
        }
    }

    void restart()
    {
        m_rows = {SortedBattles, SortedCommanders};
        m_picks = {};
        m_feedback.clear();
        ++m_restarts;
    }

    int attempts() const { return m_attempts; }
    int restarts() const { return m_restarts; }

    const Rows& rows(int list) const { return m_rows.at(static_cast<std::size_t>(list)); }
    const std::optional<std::string>& picked(int list) const
    {
        return m_picks.at(static_cast<std::size_t>(list));
    }
    const std::string& feedback() const { return m_feedback; }

private:
    void judge(const std::string& battle, const std::string& commander)
    {
        const auto* const row = std::find_if(AnswerKey.begin(), AnswerKey.end(),
            [&](const KeyRow& key) { return key.battle == battle && key.commander == commander; });
        m_feedback = std::string(row != AnswerKey.end() ? VerdictRight : VerdictWrong) + battle + " "
            + commander + "\r\n" + std::string(row != AnswerKey.end() ? row->description : "");
        std::erase(m_rows[0], battle);
        std::erase(m_rows[1], commander);
        m_picks = {};
        ++m_attempts;
    }

    std::array<Rows, 2> m_rows{SortedBattles, SortedCommanders};
    std::array<std::optional<std::string>, 2> m_picks;
    std::string m_feedback{TaskStatement};
    int m_attempts = 0;
    int m_restarts = 0;
};

struct Action {
    enum Kind { Press, Release, Click, DoubleClick, Key };
    Kind kind;
    QPoint point;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;

    std::string describe() const
    {
        static const std::array<const char*, 5> names{"press", "release", "click", "double-click", "key"};
        std::ostringstream text;
        text << names.at(kind);
        if (kind == Key) {
            text << ' ' << QKeySequence(key | modifiers).toString().toStdString();
        } else {
            text << " at (" << point.x() << ", " << point.y() << ")";
        }
        return text.str();
    }
};

// One game window driven through its platform window, so events are routed, grabbed and
// focused as real input is.
class Session {
public:
    Session()
        : m_form(std::make_unique<QuizForm>())
    {
        m_form->show();
        m_form->activateWindow();
        m_ready = QTest::qWaitForWindowActive(m_form.get());
    }

    bool ready() const { return m_ready; }
    QuizForm& form() const { return *m_form; }

    // Plays one action on the window and on the model; empty if all still agrees, else what differs.
    std::string play(const Action& action)
    {
        QWindow* window = m_form->windowHandle();
        if (action.kind == Action::Press || action.kind == Action::Click
            || action.kind == Action::DoubleClick) {
            pressAt(action.point);
        }
        switch (action.kind) {
        case Action::Press:
            QTest::mousePress(window, Qt::LeftButton, {}, action.point);
            m_buttonDown = true;
            break;
        case Action::Release:
            QTest::mouseRelease(window, Qt::LeftButton, {}, action.point);
            releaseAt(action.point);
            m_buttonDown = false;
            break;
        case Action::Click:
            QTest::mouseClick(window, Qt::LeftButton, {}, action.point);
            releaseAt(action.point);
            break;
        case Action::DoubleClick:
            QTest::mouseDClick(window, Qt::LeftButton, {}, action.point);
            // The second press lands on whatever row the first one left under the pointer; it
            // cannot complete a pair, since a judged pair leaves no pick behind.
            pressAt(action.point);
            releaseAt(action.point);
            break;
        case Action::Key:
            keyOn(QApplication::focusWidget(), action);
            QTest::keyClick(window, action.key, action.modifiers);
            break;
        }
        return differences();
    }

    bool buttonDown() const { return m_buttonDown; }
    const Model& model() const { return m_model; }

private:
    QWidget* widgetAt(QPoint point) const { return m_form->childAt(point); }

    // The list whose rows lie under a point of the window, and the row there.
    std::optional<std::pair<int, std::string>> rowAt(QPoint point) const
    {
        for (int list : {list1::BattlePicks, list1::CommanderPicks}) {
            QListWidget& widget = *m_form->list1(list);
            if (widgetAt(point) == widget.viewport()) {
                const QListWidgetItem* item = widget.itemAt(widget.viewport()->mapFrom(m_form.get(), point));
                if (item != nullptr) {
                    return std::make_pair(list, item->text().toStdString());
                }
            }
        }
        return std::nullopt;
    }

    // What a press does in the model: it takes the row under it, and arms the button under it.
    void pressAt(QPoint point)
    {
        m_pressedOnButton = widgetAt(point) == m_form->command1();
        if (const auto row = rowAt(point)) {
            m_model.pick(row->first, row->second);
        }
    }

    void releaseAt(QPoint point)
    {
        if (m_pressedOnButton && widgetAt(point) == m_form->command1()) {
            m_model.restart();
        }
        m_pressedOnButton = false;
    }

    void keyOn(const QWidget* focus, const Action& action)
    {
        const bool choose
            = action.key == Qt::Key_Space || action.key == Qt::Key_Return || action.key == Qt::Key_Enter;
        if (!choose) {
            return;
        }
        if (focus == m_form->command1()) {
            m_model.restart();
        }
        for (int list : {list1::BattlePicks, list1::CommanderPicks}) {
            const QListWidgetItem* cursor = m_form->list1(list)->currentItem();
            if (focus == m_form->list1(list) && cursor != nullptr) {
                m_model.pick(list, cursor->text().toStdString());
            }
        }
    }

    Rows rowsOf(int list) const { return test::RowsOf(QtListControl(*m_form->list1(list), false)); }

    std::string differences() const
    {
        std::ostringstream found;
        for (int list : {list1::BattlePicks, list1::CommanderPicks}) {
            const QListWidget& widget = *m_form->list1(list);
            const Rows rows = rowsOf(list);
            if (rows != m_model.rows(list)) {
                found << "list " << list << " holds " << rows.size() << " rows, the model "
                      << m_model.rows(list).size() << "; ";
            }
            const auto selected = widget.selectedItems();
            const auto& picked = m_model.picked(list);
            if (selected.size() > 1 || selected.isEmpty() != !picked
                || (picked && selected.first()->text().toStdString() != *picked)) {
                found << "list " << list << " has " << selected.size() << " selected, the model "
                      << (picked ? *picked : "none") << "; ";
            }
        }
        if (m_form->text1Text(text1::Feedback) != m_model.feedback()) {
            found << "feedback is \"" << m_form->text1Text(text1::Feedback) << "\", the model says \""
                  << m_model.feedback() << "\"; ";
        }
        for (const auto& [list, rows] : test::KeyLists) {
            if (rowsOf(list) != rows) {
                found << "the key list " << list << " changed; ";
            }
        }
        return found.str();
    }

    std::unique_ptr<QuizForm> m_form;
    Model m_model;
    bool m_ready = false;
    bool m_buttonDown = false;
    bool m_pressedOnButton = false;
};

// The next action, drawn from what a pupil could do to the window as it is now.
Action nextAction(std::mt19937& random, const Session& session)
{
    const QuizForm& form = session.form();
    const auto chance = [&](int percent) { return std::uniform_int_distribution(0, 99)(random) < percent; };
    const auto anywhere = [&] {
        return QPoint(std::uniform_int_distribution(0, form.width() - 1)(random),
            std::uniform_int_distribution(0, form.height() - 1)(random));
    };
    if (session.buttonDown()) {
        return {Action::Release, anywhere()};
    }
    if (chance(30)) {
        static const std::array<Qt::Key, 11> keys{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Up, Qt::Key_Down,
            Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return,
            Qt::Key_Enter};
        const Qt::Key key = keys.at(std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random));
        return {Action::Key, {}, key, key == Qt::Key_Tab && chance(30) ? Qt::ShiftModifier : Qt::NoModifier};
    }
    if (chance(60)) {
        // On a row the pupil can see, most often.
        const QListWidget& list = *form.list1(chance(50) ? list1::BattlePicks : list1::CommanderPicks);
        std::vector<QPoint> visible;
        for (int i = 0; i < list.count(); ++i) {
            const QRect rect = list.visualItemRect(list.item(i)).intersected(list.viewport()->rect());
            if (!rect.isEmpty()) {
                visible.push_back(list.viewport()->mapTo(&form, rect.center()));
            }
        }
        if (!visible.empty()) {
            const QPoint point
                = visible.at(std::uniform_int_distribution<std::size_t>(0, visible.size() - 1)(random));
            return {chance(15) ? Action::DoubleClick : Action::Click, point};
        }
    }
    if (chance(8)) {
        return {Action::Click, form.command1()->geometry().center()};
    }
    const int kind = std::uniform_int_distribution(0, 9)(random);
    return {kind < 3 ? Action::Press : kind < 9 ? Action::Click : Action::DoubleClick, anywhere()};
}

// The first difference a list of actions leads to, on a fresh window; empty if none.
std::string replay(const std::vector<Action>& actions)
{
    Session session;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (std::string found = session.play(actions[i]); !found.empty()) {
            return "after action " + std::to_string(i + 1) + ": " + found;
        }
    }
    return {};
}

// Drops whatever the failure does not need, in ever smaller slices, until the time is up: each
// try replays a game, and a failure must still be reported within the test's time limit.
std::vector<Action> shrink(std::vector<Action> actions, std::chrono::steady_clock::duration budget)
{
    const auto deadline = std::chrono::steady_clock::now() + budget;
    for (std::size_t slice = actions.size() / 2; slice >= 1; slice /= 2) {
        for (std::size_t at = 0; at + slice <= actions.size();) {
            if (std::chrono::steady_clock::now() > deadline) {
                return actions;
            }
            std::vector<Action> shorter = actions;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(at),
                shorter.begin() + static_cast<std::ptrdiff_t>(at + slice));
            if (!replay(shorter).empty()) {
                actions = std::move(shorter);
            } else {
                at += slice;
            }
        }
    }
    return actions;
}

int actionsPerSeed()
{
    const char* count = std::getenv("BITKI_RANDOM_ACTIONS");
    return count != nullptr ? std::max(1, std::atoi(count)) : 5000;
}

// A fraction of the test's time limit, under the sanitizers too.
constexpr std::chrono::seconds ShrinkTime{30};

class RandomPlay : public testing::TestWithParam<unsigned> {};

TEST_P(RandomPlay, WindowAgreesWithTheRulesAfterEveryAction)
{
    const unsigned seed = GetParam();
    std::mt19937 random(seed);
    Session session;
    ASSERT_TRUE(session.ready());
    std::vector<Action> actions;
    for (int step = 0; step < actionsPerSeed(); ++step) {
        actions.push_back(nextAction(random, session));
        if (const std::string found = session.play(actions.back()); !found.empty()) {
            // Said at once, before shrinking: the seed and the action replay the failure.
            ADD_FAILURE() << "seed " << seed << ", action " << actions.size() << " ("
                          << actions.back().describe() << "): " << found;
            std::ostringstream report;
            report << "shortest input found within " << ShrinkTime.count() << " s that still fails:";
            for (const Action& action : shrink(actions, ShrinkTime)) {
                report << "\n  " << action.describe();
            }
            FAIL() << report.str();
        }
    }
    std::cout << "seed " << seed << ": " << actions.size() << " actions, " << session.model().attempts()
              << " pairs judged, " << session.model().restarts() << " restarts\n";
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlay, testing::Values(1U, 20261208U, 4242U, 77U));

} // namespace
} // namespace bitki
