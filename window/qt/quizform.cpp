#include "quizform.h"

#include "content.h"
#include "design.h"
#include "fitting.h"
#include "listbox.h"
#include "textbox.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>

#include "bitki.xpm"

#include <algorithm>

namespace bitki {

namespace {

QColor toQColor(design::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

void paint(QWidget& widget, QPalette::ColorRole role, design::Rgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, toQColor(colour));
    widget.setPalette(palette);
}

// The row under a list's cursor gets a dashed outline while the list has the focus; it grows
// with the window.
class CursorOutlineDelegate final : public QStyledItemDelegate {
public:
    CursorOutlineDelegate(const QuizForm& form, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_form(form)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            painter->save();
            const bool selected = option.state.testFlag(QStyle::State_Selected);
            const int width = std::max(1, qRound(m_form.scale()));
            painter->setPen(
                QPen(selected ? QColor(Qt::white) : toQColor(design::SelectionColour), width, Qt::DashLine));
            painter->drawRect(option.rect.adjusted(width, width, -2 * width, -2 * width));
            painter->restore();
        }
    }

private:
    const QuizForm& m_form;
};

QString arrayName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

} // namespace

QuizForm::QuizForm(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("QuizForm"));
    setWindowTitle(toQString(design::Caption));
    setWindowIcon(QIcon(QPixmap(bitki_xpm)));
    setMinimumSize(design::ClientWidth, design::ClientHeight);
    resize(design::ClientWidth, design::ClientHeight);
    setAutoFillBackground(true);
    paint(*this, QPalette::Window, design::WindowColour);

    QFont font(toQString(design::FontFamily), design::FontPointSize);
    // Where the face is missing, another serif face stands in.
    font.setStyleHint(QFont::Serif);
    setFont(font);

    createControls();
    layoutControls();
    fitFontToRows();
    m_designPointSize = this->font().pointSizeF();
    createShortcuts();

    m_events = std::make_unique<WindowEvents>(
        BindControls(m_listControls, m_textControls), [this](FocusTarget target) { moveFocus(target); });

    for (int i = 0; i < static_cast<int>(m_list1.size()); ++i) {
        connect(m_list1[i], &QListWidget::itemSelectionChanged, this, [this, i] {
            // Only a selection made by the user reaches here; losing one is no click.
            if (!m_list1[i]->selectedItems().isEmpty()) {
                List1_Click(i);
            }
        });
    }
    connect(m_command1, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    // The focus outline follows the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });

    Form_Load();
}

QuizForm::~QuizForm() = default;

void QuizForm::createControls()
{
    for (int i = 0; i < static_cast<int>(m_text1.size()); ++i) {
        auto* box = new TextBox(this);
        box->setObjectName(arrayName("Text1", i));
        m_text1[i] = box;
        m_textControls[i] = std::make_unique<QtTextControl>(*box);
    }
    m_text1[text1::Aphorism]->hide();

    m_label1 = new QLabel(toQString(design::HeadingText), this);
    m_label1->setObjectName(arrayName("Label1", 0));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setAutoFillBackground(true);
    paint(*m_label1, QPalette::Window, design::HeadingColour);

    for (int i = 0; i < static_cast<int>(m_list1.size()); ++i) {
        auto* list = new ListBox(this);
        list->setObjectName(arrayName("List1", i));
        const bool pickList = i == list1::BattlePicks || i == list1::CommanderPicks;
        list->setVisible(pickList);
        list->setItemDelegate(new CursorOutlineDelegate(*this, list));
        QPalette palette = list->palette();
        palette.setColor(QPalette::Highlight, toQColor(design::SelectionColour));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        list->setPalette(palette);
        m_list1[i] = list;
        m_listControls[i] = std::make_unique<QtListControl>(*list, pickList);
    }

    m_command1 = new QPushButton(toQString(design::RestartText), this);
    m_command1->setObjectName(arrayName("Command1", 0));
    // Enter presses the focused button, as Space does.
    m_command1->setAutoDefault(true);
    paint(*m_command1, QPalette::Button, design::RestartColour);

    // Tab order as the window was designed; hidden controls drop out by themselves.
    setTabOrder(m_text1[text1::Feedback], m_list1[list1::BattlePicks]);
    setTabOrder(m_list1[list1::BattlePicks], m_list1[list1::CommanderPicks]);
    setTabOrder(m_list1[list1::CommanderPicks], m_command1);
    m_text1[text1::Feedback]->setFocus();

    const std::array<QWidget*, 4> described{
        m_text1[text1::Feedback], m_list1[list1::BattlePicks], m_list1[list1::CommanderPicks], m_command1};
    for (const design::AccessibleText& text : design::AccessibleTexts) {
        QWidget* control = described.at(static_cast<std::size_t>(text.control));
        control->setAccessibleName(toQString(text.name));
        control->setAccessibleDescription(toQString(text.description));
    }
}

void QuizForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // An outline around the control with the focus, drawn by shape as well as colour: a thick
    // dashed frame in the window's margin.
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->parentWidget() != this || !focus->isVisible()) {
        return;
    }
    QPainter painter(this);
    const int width = qRound(2 * m_scale);
    painter.setPen(QPen(toQColor(design::SelectionColour), width, Qt::DashLine));
    painter.drawRect(focus->geometry().adjusted(-width, -width, width / 2, width / 2));
}

void QuizForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void QuizForm::layoutControls()
{
    const Fit fit = Fit::of(width(), height());
    m_scale = fit.scale;
    const auto place = [&fit](QWidget& widget, const design::Rect& rect) {
        const design::Rect placed = fit.place(rect);
        widget.setGeometry(placed.left, placed.top, placed.width, placed.height);
    };
    for (std::size_t i = 0; i < m_list1.size(); ++i) {
        place(*m_list1[i], design::List1Rects[i]);
    }
    for (std::size_t i = 0; i < m_text1.size(); ++i) {
        place(*m_text1[i], design::Text1Rects[i]);
    }
    place(*m_label1, design::Label1Rect);
    place(*m_command1, design::Command1Rect);

    if (m_designPointSize > 0) {
        QFont font = this->font();
        font.setPointSizeF(m_designPointSize * m_scale);
        setFont(font);
    }
    update();
}

void QuizForm::createShortcuts()
{
    // Nothing is remembered.
    const auto add = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    const auto larger = [this] { zoomTo(ZoomStep(m_scale, 1)); };
    add(QKeySequence::ZoomIn, larger);
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), larger);
    add(QKeySequence::ZoomOut, [this] { zoomTo(ZoomStep(m_scale, -1)); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomTo(1); });
    add(QKeySequence(Qt::Key_F11), [this] { isFullScreen() ? showNormal() : showFullScreen(); });
}

void QuizForm::zoomTo(qreal factor)
{
    if (isFullScreen() || isMaximized()) {
        showNormal();
    }
    const QRect available = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const Zoom zoom
        = ZoomWithin(factor, 1, {available.left(), available.top(), available.width(), available.height()},
            frame.width(), frame.height(), frameGeometry().left(), frameGeometry().top());
    resize(qRound(design::ClientWidth * zoom.factor), qRound(design::ClientHeight * zoom.factor));
    move(zoom.left, zoom.top);
}

void QuizForm::moveFocus(FocusTarget target)
{
    QWidget* control = target == FocusTarget::Feedback ? static_cast<QWidget*>(m_text1[text1::Feedback])
                                                       : m_list1[list1::BattlePicks];
    control->setFocus(Qt::OtherFocusReason);
}

void QuizForm::fitFontToRows()
{
    // A stand-in face can run wider than the designed one: shrink it until every battle and
    // every commander fits its list and every verdict line its box, so that nothing is cut off
    // or wrapped.
    constexpr qreal Smallest = 8;
    QFont font = this->font();
    // Faces with the designed face's metrics keep the designed widths: nothing to measure.
    const QString face = QFontInfo(font).family();
    if (face == QLatin1String("Times New Roman") || face == QLatin1String("Liberation Serif")
        || face == QLatin1String("Tinos")) {
        return;
    }
    const auto fits = [this](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        for (const int i : {list1::BattlePicks, list1::CommanderPicks}) {
            ListBox& list = *m_list1[i];
            list.ensurePolished();
            const int margins
                = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
            const int room = list.maximumViewportSize().width()
                - list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list) - margins;
            const bool everyRowFits = std::all_of(AnswerKey.begin(), AnswerKey.end(), [&](const KeyRow& row) {
                const std::string_view text = i == list1::BattlePicks ? row.battle : row.commander;
                return metrics.horizontalAdvance(toQString(text)) <= room;
            });
            if (!everyRowFits) {
                return false;
            }
        }
        // Every verdict line, the longest wrong one included, stays one line in the box.
        const QPlainTextEdit& box = *m_text1[text1::Feedback];
        const int lineRoom = box.maximumViewportSize().width()
            - box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &box)
            - 2 * static_cast<int>(box.document()->documentMargin());
        return std::all_of(AnswerKey.begin(), AnswerKey.end(), [&](const KeyRow& battle) {
            return std::all_of(AnswerKey.begin(), AnswerKey.end(), [&](const KeyRow& commander) {
                return metrics.horizontalAdvance(toQString(VerdictWrong) + toQString(battle.battle)
                           + QLatin1Char(' ') + toQString(commander.commander))
                    <= lineRoom;
            });
        });
    };
    while (font.pointSizeF() > Smallest && !fits(font)) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    setFont(font);
}

QListWidget* QuizForm::list1(int index) const
{
    return m_list1.at(static_cast<std::size_t>(index));
}

QPlainTextEdit* QuizForm::text1(int index) const
{
    return m_text1.at(static_cast<std::size_t>(index));
}

std::string QuizForm::text1Text(int index) const
{
    return m_textControls.at(static_cast<std::size_t>(index))->Text();
}

} // namespace bitki
