// Response benchmark on the real window: from the user's click on the second row of a pair to
// the feedback shown on screen, and from a click on the restart button to the refilled lists
// shown. Run it on a real X server (xvfb-run) for real painting.
//   response_bench [GAMES]

#include "application.h"
#include "content.h"
#include "quizform.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when a widget has been painted.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }
    void arm() { m_painted = false; }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_painted = true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

void clickRow(QListWidget& list, std::string_view text)
{
    const auto items = list.findItems(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), Qt::MatchExactly);
    list.scrollToItem(items.first());
    QCoreApplication::processEvents();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(items.first()).center());
}

// Milliseconds from the action to the widget painted.
template <typename Action> double timeUntilPainted(PaintWatch& watch, Action action)
{
    watch.arm();
    const auto start = Clock::now();
    action();
    while (!watch.painted()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double share) {
        return samples[std::min(
            samples.size() - 1, static_cast<std::size_t>(share * static_cast<double>(samples.size())))];
    };
    std::printf("%-32s %6zu samples   median %.3f ms   p95 %.3f ms   max %.3f ms\n", what, samples.size(),
        at(0.5), at(0.95), samples.back());
}

} // namespace

int main(int argc, char* argv[])
{
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    QApplication application(argc, argv);
    bitki::configureApplication();
    bitki::QuizForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "response_bench: the window was never shown\n");
        return 1;
    }
    QListWidget& battles = *form.list1(bitki::list1::BattlePicks);
    QListWidget& commanders = *form.list1(bitki::list1::CommanderPicks);
    PaintWatch feedbackPainted(*form.text1(bitki::text1::Feedback)->viewport());
    PaintWatch listsPainted(*battles.viewport());

    std::vector<double> attempts;
    std::vector<double> restarts;
    for (int game = 0; game < games; ++game) {
        for (const bitki::KeyRow& row : bitki::AnswerKey) {
            clickRow(battles, row.battle);
            const auto items = commanders.findItems(
                QString::fromUtf8(row.commander.data(), static_cast<qsizetype>(row.commander.size())),
                Qt::MatchExactly);
            commanders.scrollToItem(items.first());
            QCoreApplication::processEvents();
            const QPoint point = commanders.visualItemRect(items.first()).center();
            attempts.push_back(timeUntilPainted(feedbackPainted,
                [&] { QTest::mouseClick(commanders.viewport(), Qt::LeftButton, {}, point); }));
        }
        restarts.push_back(
            timeUntilPainted(listsPainted, [&] { QTest::mouseClick(form.command1(), Qt::LeftButton); }));
    }
    report("selection to feedback shown", attempts);
    report("restart to lists shown", restarts);
    return 0;
}
