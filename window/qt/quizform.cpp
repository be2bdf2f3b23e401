#include "quizform.h"

#include "content.h"
#include "design.h"
#include "listbox.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

#include "bitki.xpm"

namespace bitki {

namespace {

QColor toQColor(design::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

void place(QWidget& widget, const design::Rect& rect)
{
    widget.setGeometry(rect.left, rect.top, rect.width, rect.height);
}

void paint(QWidget& widget, QPalette::ColorRole role, design::Rgb colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, toQColor(colour));
    widget.setPalette(palette);
}

// The row under a list's cursor gets a dashed outline while the list has the focus.
class CursorOutlineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            painter->save();
            const bool selected = option.state.testFlag(QStyle::State_Selected);
            painter->setPen(
                QPen(selected ? QColor(Qt::white) : toQColor(design::SelectionColour), 1, Qt::DashLine));
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }
};

QString arrayName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

} // namespace

QuizForm::QuizForm(QWidget* parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("QuizForm"));
    setWindowTitle(toQString(design::SiteAddress) + QLatin1Char(' ') + toQString(design::CaptionTitle));
    setWindowIcon(QIcon(QPixmap(bitki_xpm)));
    setFixedSize(design::ClientWidth, design::ClientHeight);
    setAutoFillBackground(true);
    paint(*this, QPalette::Window, design::WindowColour);

    QFont font(toQString(design::FontFamily), design::FontPointSize);
    // Where the face is missing, another serif face stands in.
    font.setStyleHint(QFont::Serif);
    setFont(font);

    createControls();
    fitFontToRows();

    const FormControls form{
        {*m_listControls[0], *m_listControls[1], *m_listControls[2], *m_listControls[3], *m_listControls[4]},
        {*m_textControls[0], *m_textControls[1]}};
    LoadDesignTimeContent(form);
    m_quiz = std::make_unique<Quiz>(form);

    for (int i = 0; i < static_cast<int>(m_list1.size()); ++i) {
        connect(m_list1[i], &QListWidget::itemSelectionChanged, this, [this, i] {
            // Only a selection made by the user reaches here; losing one is no click.
            if (m_list1[i]->selectedItems().isEmpty()) {
                return;
            }
            // The verdict takes the focus, so that a screen reader speaks it at once; Tab leads
            // from it straight back to the battles.
            if (List1_Click(i) == Quiz::ClickOutcome::Judged) {
                m_text1[text1::Feedback]->setFocus(Qt::OtherFocusReason);
            }
        });
    }
    connect(m_command1, &QPushButton::clicked, this, [this] {
        Command1_Click(0);
        // A new game starts at the battles.
        m_list1[list1::BattlePicks]->setFocus(Qt::OtherFocusReason);
    });
    // The focus outline follows the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });

    Form_Load();
}

QuizForm::~QuizForm() = default;

void QuizForm::createControls()
{
    for (int i = 0; i < static_cast<int>(m_text1.size()); ++i) {
        auto* box = new QPlainTextEdit(this);
        box->setObjectName(arrayName("Text1", i));
        place(*box, design::Text1Rects[i]);
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_text1[i] = box;
        m_textControls[i] = std::make_unique<QtTextControl>(*box);
    }
    m_text1[text1::Aphorism]->hide();
    QPlainTextEdit& feedback = *m_text1[text1::Feedback];
    feedback.setAccessibleName(toQString(design::FeedbackName));
    feedback.setAccessibleDescription(toQString(design::FeedbackDescription));

    m_label1 = new QLabel(toQString(design::HeadingText), this);
    m_label1->setObjectName(arrayName("Label1", 0));
    place(*m_label1, design::Label1Rect);
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setAutoFillBackground(true);
    paint(*m_label1, QPalette::Window, design::HeadingColour);

    for (int i = 0; i < static_cast<int>(m_list1.size()); ++i) {
        auto* list = new ListBox(this);
        list->setObjectName(arrayName("List1", i));
        place(*list, design::List1Rects[i]);
        const bool pickList = i == list1::BattlePicks || i == list1::CommanderPicks;
        list->setVisible(pickList);
        list->setItemDelegate(new CursorOutlineDelegate(list));
        QPalette palette = list->palette();
        palette.setColor(QPalette::Highlight, toQColor(design::SelectionColour));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        list->setPalette(palette);
        m_list1[i] = list;
        m_listControls[i] = std::make_unique<QtListControl>(*list, pickList);
    }

    m_list1[list1::BattlePicks]->setAccessibleName(toQString(design::BattlesName));
    m_list1[list1::BattlePicks]->setAccessibleDescription(toQString(design::BattlesDescription));
    m_list1[list1::CommanderPicks]->setAccessibleName(toQString(design::CommandersName));
    m_list1[list1::CommanderPicks]->setAccessibleDescription(toQString(design::CommandersDescription));

    m_command1 = new QPushButton(toQString(design::RestartText), this);
    m_command1->setAccessibleDescription(toQString(design::RestartDescription));
    m_command1->setObjectName(arrayName("Command1", 0));
    place(*m_command1, design::Command1Rect);
    // Enter presses the focused button, as Space does.
    m_command1->setAutoDefault(true);
    paint(*m_command1, QPalette::Button, design::RestartColour);

    // Tab order as the window was designed; hidden controls drop out by themselves.
    setTabOrder(m_text1[text1::Feedback], m_list1[list1::BattlePicks]);
    setTabOrder(m_list1[list1::BattlePicks], m_list1[list1::CommanderPicks]);
    setTabOrder(m_list1[list1::CommanderPicks], m_command1);
    m_text1[text1::Feedback]->setFocus();
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
    QPen pen(toQColor(design::SelectionColour), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(focus->geometry().adjusted(-2, -2, 1, 1));
}

void QuizForm::fitFontToRows()
{
    // A stand-in face can run wider than the designed one: shrink it until every battle and
    // every commander fits its list, so that nothing is cut off.
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
            for (const KeyRow& row : AnswerKey) {
                const std::string_view text = i == list1::BattlePicks ? row.battle : row.commander;
                if (metrics.horizontalAdvance(toQString(text)) > room) {
                    return false;
                }
            }
        }
        return true;
    };
    while (font.pointSizeF() > Smallest && !fits(font)) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    setFont(font);
}

void QuizForm::Form_Load()
{
    m_quiz->FillLists();
}

Quiz::ClickOutcome QuizForm::List1_Click(int /*index*/)
{
    return m_quiz->ListClick();
}

void QuizForm::Command1_Click(int index)
{
    if (index == 0) {
        m_quiz->Restart();
    }
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
