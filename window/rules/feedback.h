#pragma once

// How every window reads the feedback box: the verdict line and the paragraph after it, what the
// box says of itself, and where its lines start for the keys that go from line to line.

#include <string_view>
#include <vector>

namespace bitki {

struct FeedbackReading {
    // Whether the box shows a verdict (not the task statement, not nothing).
    bool verdict;
    // The first line, without its line break: the verdict line.
    std::string_view line;
    // What follows it, without the blanks and line breaks around it: a right verdict's paragraph.
    std::string_view paragraph;
};

// The box's text read once. Lines may end in CR LF or, as a widget gives them, LF.
FeedbackReading ReadFeedback(std::string_view text);

// What the box says of itself to assistive technology while it shows this text: while it shows a
// verdict, the paragraph (nothing after a wrong pair), so that arriving in the box speaks the
// verdict line and the paragraph once; before that, what the box is for.
std::string_view FeedbackDescriptionOf(std::string_view text);

// Where each line of this text starts, in UTF-16 units of the text as a widget shows it (a CR LF
// is one line feed there). The empty end after a last line break is no line.
std::vector<int> LineStarts(std::string_view text);

// The caret after Up (direction -1) or Down (1): at the start of the line before or after the
// caret's, or of the caret's own line where there is none.
int CaretAfterLineKey(const std::vector<int>& lineStarts, int caret, int direction);

} // namespace bitki
