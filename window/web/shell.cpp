// Writes bitki.html: its start state drawn from QuizForm after Form_Load (the lists, the task
// statement and every text, colour and position of the design), so that the browser draws the
// whole picture from the HTML alone, and then the page's code, inlined, started by start.js once
// that picture is on the screen.
//   bitki_web_shell style.css start.js bitki_code.js > bitki.html

#include "design.h"
#include "webform.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace bitki;

std::string escaped(std::string_view text)
{
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string rgb(design::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + ' ' + std::to_string(colour.green) + ' '
        + std::to_string(colour.blue) + ')';
}

// Where a control stands in the design, for the stylesheet to scale.
std::string placed(const design::Rect& rect)
{
    return "style=\"--l:" + std::to_string(rect.left) + ";--t:" + std::to_string(rect.top)
        + ";--w:" + std::to_string(rect.width) + ";--h:" + std::to_string(rect.height) + '"';
}

std::string options(const web::WebListControl& list)
{
    std::string html;
    for (const std::string& row : list.rows()) {
        html += "<div role=\"option\" aria-selected=\"false\">" + escaped(row) + "</div>";
    }
    return html;
}

std::string listBox(const char* id, int index, std::string_view name, std::string_view description,
    const web::WebListControl& list)
{
    const std::string about = std::string(id) + "-about";
    return "<div id=\"" + std::string(id) + "\" class=\"control list\" role=\"listbox\" tabindex=\"0\" "
        + placed(design::List1Rects[static_cast<std::size_t>(index)]) + " aria-label=\"" + escaped(name)
        + "\" aria-describedby=\"" + about + "\">" + options(list) + "</div>\n<span id=\"" + about
        + "\" hidden>" + escaped(description) + "</span>\n";
}

// The smallest text a pupil should have to read, in CSS pixels; below the scale that gives it,
// the page stacks its controls instead of shrinking the picture.
constexpr double SmallestText = 14;
// The design's text size in CSS pixels (96 to the inch, 72 points).
constexpr double DesignTextPixels = design::FontPointSize * 4.0 / 3;

std::string designSheet()
{
    return ":root{--cw:" + std::to_string(design::ClientWidth)
        + ";--ch:" + std::to_string(design::ClientHeight) + ";--font-px:" + std::to_string(DesignTextPixels)
        + ";--window:" + rgb(design::WindowColour) + ";--heading:" + rgb(design::HeadingColour)
        + ";--restart:" + rgb(design::RestartColour) + ";--selection:" + rgb(design::SelectionColour)
        + ";--face:\"" + std::string(design::FontFamily) + "\"}\n";
}

// The screens too small for the picture: the sheet's "@media stacked".
std::string stackedScreens()
{
    const double smallest = SmallestText / DesignTextPixels;
    const auto below = [](double pixels) { return std::to_string(static_cast<int>(pixels)) + "px"; };
    return "(max-width:" + below(design::ClientWidth * smallest)
        + "),(max-height:" + below(design::ClientHeight * smallest) + ')';
}

std::string replaced(std::string text, std::string_view from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct Sources {
    std::string sheet;
    std::string start;
    std::string code;
};

std::string document(const web::QuizForm& form, const Sources& sources)
{
    const web::WebTextControl& feedback = form.text1(text1::Feedback);
    std::string html = "<!DOCTYPE html>\n<html lang=\"bg\" translate=\"no\">\n<head>\n<meta "
                       "charset=\"utf-8\">\n<meta name=\"google\" content=\"notranslate\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                       "script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'\">\n<title>"
        + escaped(design::Caption()) + "</title>\n<style>\n" + designSheet()
        + replaced(sources.sheet, "@media stacked", "@media " + stackedScreens())
        + "</style>\n</head>\n<body>\n";
    html += "<main class=\"form\">\n";
    html += "<textarea id=\"feedback\" class=\"control\" " + placed(design::Text1Rects[text1::Feedback])
        + " readonly autofocus spellcheck=\"false\" aria-label=\"" + escaped(design::FeedbackName)
        + "\" aria-describedby=\"feedback-about\">" + escaped(feedback.Text())
        + "</textarea>\n<span id=\"feedback-about\" hidden>" + escaped(feedback.description()) + "</span>\n";
    html += "<h1 id=\"heading\" class=\"control\" " + placed(design::Label1Rect) + '>'
        + escaped(design::HeadingText) + "</h1>\n";
    html += listBox("battles", list1::BattlePicks, design::BattlesName, design::BattlesDescription,
        form.list1(list1::BattlePicks));
    html += listBox("commanders", list1::CommanderPicks, design::CommandersName,
        design::CommandersDescription, form.list1(list1::CommanderPicks));
    html += "<button id=\"restart\" class=\"control\" type=\"button\" " + placed(design::Command1Rect)
        + " aria-describedby=\"restart-about\">" + escaped(design::RestartText)
        + "</button>\n<span id=\"restart-about\" hidden>" + escaped(design::RestartDescription) + "</span>\n";
    html += "</main>\n<script type=\"text/plain\" id=\"code\">" + sources.code + "</script>\n<script>\n"
        + sources.start + "</script>\n</body>\n</html>\n";
    return html;
}

std::optional<std::string> read(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "bitki_web_shell: cannot read " << path << '\n';
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// What would end the script element early, or put the HTML parser in another state inside it.
bool fitsInScript(const std::string& code)
{
    std::string lower = code;
    std::transform(
        lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("</script") == std::string::npos && lower.find("<!--") == std::string::npos;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: bitki_web_shell style.css start.js bitki_code.js\n";
        return 2;
    }
    const auto sheet = read(argv[1]);
    const auto start = read(argv[2]);
    const auto code = read(argv[3]);
    if (!sheet || !start || !code) {
        return 1;
    }
    if (!fitsInScript(*code)) {
        std::cerr << "bitki_web_shell: " << argv[3] << " cannot stand inside a script element\n";
        return 1;
    }

    web::QuizForm form([](FocusTarget) {});
    form.Form_Load();
    std::cout << document(form, {*sheet, *start, *code});
    return std::cout.good() ? 0 : 1;
}
