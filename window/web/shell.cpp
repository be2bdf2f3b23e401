// Writes bitki.html: its start state drawn from QuizForm after Form_Load (the lists, the task
// statement and every text, colour and position of the design), so that the browser draws the
// whole picture from the HTML alone; the page's widgets, which take input from then on; and the
// quiz's code with its wasm, inlined, started by start.js once that picture is on the screen.
//   bitki_web_shell style.css page.js start.js bitki_code.js bitki_code.wasm bitki.svg > bitki.html

#include "design.h"
#include "webform.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

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

std::string listBox(const char* id, int index, design::Described control, const web::WebListControl& list)
{
    const std::string about = std::string(id) + "-about";
    const design::AccessibleText& text = design::AccessibleTextOf(control);
    return "<div id=\"" + std::string(id) + "\" class=\"control list\" role=\"listbox\" tabindex=\"0\" "
        + placed(design::List1Rects[static_cast<std::size_t>(index)]) + " aria-label=\"" + escaped(text.name)
        + "\" aria-describedby=\"" + about + "\">" + options(list) + "</div>\n<span id=\"" + about
        + "\" hidden>" + escaped(text.description) + "</span>\n";
}

// The smallest text a pupil should have to read, in CSS pixels; below the scale that gives it,
// the page stacks its controls instead of shrinking the picture.
constexpr double SmallestText = 14;

std::string designSheet()
{
    return ":root{--cw:" + std::to_string(design::ClientWidth)
        + ";--ch:" + std::to_string(design::ClientHeight) + ";--font-px:" + std::to_string(design::FontPixels)
        + ";--window:" + rgb(design::WindowColour) + ";--heading:" + rgb(design::HeadingColour)
        + ";--restart:" + rgb(design::RestartColour) + ";--selection:" + rgb(design::SelectionColour)
        + ";--face:\"" + std::string(design::FontFamily) + "\"}\n";
}

// The screens too small for the picture: the sheet's "@media stacked".
std::string stackedScreens()
{
    const double smallest = SmallestText / design::FontPixels;
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

// The page's own scripts without their comments, blank lines and indentation: they are read
// before the first paint. Each line stays a line, so the code means what it meant.
std::string compact(const std::string& script)
{
    std::istringstream lines(script);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        line.erase(0, line.find_first_not_of(" \t"));
        if (!line.empty() && !line.starts_with("//")) {
            kept += line;
            kept += '\n';
        }
    }
    return kept;
}

// The wasm as text that a script element can hold and the page's atob() reads back; the icon too.
std::string base64(std::string_view bytes)
{
    static constexpr std::string_view Digits
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            group = group << 8U | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0U);
        }
        for (std::size_t i = 0; i < 4; ++i) {
            text += i <= count ? Digits[group >> (18 - 6 * i) & 0x3FU] : '=';
        }
    }
    return text;
}

struct Sources {
    std::string sheet;
    std::string page;
    std::string start;
    std::string code;
    std::string wasm;
    std::string icon;
};

std::string document(const web::QuizForm& form, const Sources& sources)
{
    const web::WebTextControl& feedback = form.text1(text1::Feedback);
    std::string html
        = "<!DOCTYPE html>\n<html lang=\"bg\" translate=\"no\">\n<head>\n<meta "
          "charset=\"utf-8\">\n<meta name=\"google\" content=\"notranslate\">\n"
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
          "<meta name=\"description\" content=\"Викторина по история: свържете десет значими битки от "
          "българската история с техните пълководци.\">\n"
          "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
          "script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; img-src data:\">\n"
          // The tab's icon, inside: a browser would otherwise ask the server for one.
          "<link rel=\"icon\" type=\"image/svg+xml\" href=\"data:image/svg+xml;base64,"
        + base64(sources.icon) + "\">\n<title>" + escaped(design::Caption()) + "</title>\n<style>\n"
        + designSheet() + replaced(sources.sheet, "@media stacked", "@media " + stackedScreens())
        + "</style>\n</head>\n<body>\n";
    html += "<main class=\"form\">\n";
    html += "<textarea id=\"feedback\" class=\"control\" " + placed(design::Text1Rects[text1::Feedback])
        + " readonly autocomplete=\"off\" spellcheck=\"false\" aria-label=\""
        + escaped(design::AccessibleTextOf(design::Described::Feedback).name)
        + "\" aria-describedby=\"feedback-about\">" + escaped(feedback.Text())
        + "</textarea>\n<span id=\"feedback-about\" hidden>" + escaped(feedback.description())
        + "</span>\n<div id=\"feedback-said\" class=\"spoken\" aria-live=\"polite\"></div>\n";
    html += "<h1 id=\"heading\" class=\"control\" " + placed(design::Label1Rect) + '>'
        + escaped(design::HeadingText) + "</h1>\n";
    html
        += listBox("battles", list1::BattlePicks, design::Described::Battles, form.list1(list1::BattlePicks));
    html += listBox("commanders", list1::CommanderPicks, design::Described::Commanders,
        form.list1(list1::CommanderPicks));
    html += "<button id=\"restart\" class=\"control\" type=\"button\" " + placed(design::Command1Rect)
        + " aria-describedby=\"restart-about\">" + escaped(design::RestartText)
        + "</button>\n<span id=\"restart-about\" hidden>"
        + escaped(design::AccessibleTextOf(design::Described::Restart).description) + "</span>\n";
    // The widgets and the start before the code: they run at the first paint, when the code may
    // not have arrived yet.
    html += "</main>\n<script type=\"text/plain\" id=\"page\">\n" + compact(sources.page)
        + "</script>\n<script>\n" + compact(sources.start)
        + "</script>\n<script type=\"text/plain\" id=\"code\">" + sources.code
        + "</script>\n<script type=\"text/plain\" id=\"wasm\">" + base64(sources.wasm)
        + "</script>\n</body>\n</html>\n";
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
    if (argc != 7) {
        std::cerr
            << "usage: bitki_web_shell style.css page.js start.js bitki_code.js bitki_code.wasm bitki.svg\n";
        return 2;
    }
    const auto sheet = read(argv[1]);
    const auto page = read(argv[2]);
    const auto start = read(argv[3]);
    const auto code = read(argv[4]);
    const auto wasm = read(argv[5]);
    const auto icon = read(argv[6]);
    if (!sheet || !page || !start || !code || !wasm || !icon) {
        return 1;
    }
    for (const auto& [script, path] : {std::pair{&*page, argv[2]}, {&*start, argv[3]}, {&*code, argv[4]}}) {
        if (!fitsInScript(*script)) {
            std::cerr << "bitki_web_shell: " << path << " cannot stand inside a script element\n";
            return 1;
        }
    }

    web::QuizForm form([](FocusTarget) {});
    form.Form_Load();
    std::cout << document(form, {*sheet, *page, *start, *code, *wasm, *icon});
    return std::cout.good() ? 0 : 1;
}
