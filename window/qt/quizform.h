#pragma once

// QuizForm is the program's one window. It owns every control and holds the
// design-time content in them; the game itself is bitki::Quiz in core/, which
// works on the controls only through the adapters of qtcontrols.h, and the
// event procedures are bitki::WindowEvents, shared with the Windows window.
//
// The window can be enlarged (a projector in a classroom): the whole design
// then scales by one factor, centred, with the spare margin in the window's
// colour.

#include "focus.h"
#include "qtcontrols.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bitki {

class ListBox;

class QuizForm final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuizForm)

public:
    explicit QuizForm(QWidget* parent = nullptr);
    ~QuizForm() override;

    // Event procedures, raised as the user acts; Form_Load runs while the
    // window is created.
    void Form_Load() { m_events->Form_Load(); }
    Quiz::ClickOutcome List1_Click(int index) { return m_events->List1_Click(index); }
    void Command1_Click(int index) { m_events->Command1_Click(index); }

    QListWidget* list1(int index) const;
    QPlainTextEdit* text1(int index) const;
    // The exact text of a text box, CR LF included, as the quiz wrote it.
    std::string text1Text(int index) const;
    QPushButton* command1() const { return m_command1; }
    QLabel* label1() const { return m_label1; }

    // How much larger than designed the window is drawn: 1 at the designed size.
    qreal scale() const { return m_scale; }
    // Resizes the window to the designed size times this factor, within the screen.
    void zoomTo(qreal factor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createShortcuts();
    void fitFontToRows();
    void layoutControls();
    void moveFocus(FocusTarget target);

    std::array<ListBox*, 5> m_list1{};
    std::array<QPlainTextEdit*, 2> m_text1{};
    QLabel* m_label1 = nullptr;
    QPushButton* m_command1 = nullptr;
    // The window's font at the designed size, after any fitting to a stand-in face.
    qreal m_designPointSize = 0;
    qreal m_scale = 1;

    std::array<std::unique_ptr<QtListControl>, 5> m_listControls;
    std::array<std::unique_ptr<QtTextControl>, 2> m_textControls;
    std::unique_ptr<WindowEvents> m_events;
};

} // namespace bitki
