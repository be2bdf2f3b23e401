// Writes bitki.html from its template: its start state drawn from QuizForm after Form_Load (the
// lists, the task statement and every text, colour and position of the design), so that the
// browser draws the whole picture from the HTML alone; what page.js shares with the code; the
// page's widgets, which take input from then on; and the quiz's code with its wasm, started by
// start.js once that picture is on the screen. The scripts come minified, the wasm and the icon
// in base64, from the build. With --manifest it writes the web app manifest in the design's colours.
//   bitki_web_shell page.html.in style.css page.js start.js bitki_code.js wasm.b64 icon.b64 > bitki.html
//   bitki_web_shell --manifest bitki.webmanifest.in > bitki.webmanifest

#include "design.h"
#include "feedback.h"
#include "interface.h"
#include "webform.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// As a manifest and a theme-color meta take a colour: #rrggbb.
std::string hex(design::Rgb colour)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {colour.red, colour.green, colour.blue}) {
        text += digits.at(static_cast<std::size_t>(part / 16));
        text += digits.at(static_cast<std::size_t>(part % 16));
    }
    return text;
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

// The smallest text a pupil should have to read, in CSS pixels; below the scale that gives it,
// the page stacks its controls instead of shrinking the picture.
constexpr double SmallestText = 14;

std::string designSheet()
{
    return ":root{--cw:" + std::to_string(design::ClientWidth)
        + ";--ch:" + std::to_string(design::ClientHeight) + ";--font-px:" + std::to_string(design::FontPixels)
        + ";--window:" + rgb(design::WindowColour) + ";--heading:" + rgb(design::HeadingColour)
        + ";--restart:" + rgb(design::RestartColour) + ";--selection:" + rgb(design::SelectionColour)
        + ";--face:\"" + std::string(design::FontFamily) + "\"}";
}

// The screens too small for the picture: the sheet's "@media stacked".
std::string stackedScreens()
{
    const double smallest = SmallestText / design::FontPixels;
    const auto below = [](double pixels) { return std::to_string(static_cast<int>(pixels)) + "px"; };
    return "(max-width:" + below(design::ClientWidth * smallest)
        + "),(max-height:" + below(design::ClientHeight * smallest) + ')';
}

// Numbers separated by blanks, as page.js reads them from an attribute.
std::string joined(const std::vector<int>& numbers)
{
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : " ") + std::to_string(number);
    }
    return text;
}

std::string quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

// What page.js shares with the code, as a JavaScript object.
std::string shared()
{
    std::string ids;
    for (const web::PageId& id : web::PageIds) {
        ids += (ids.empty() ? "" : ",") + quoted(id.name) + ':' + quoted(id.id);
    }
    std::string elements;
    for (std::size_t element = 0; element < web::ElementCount; ++element) {
        elements += (elements.empty() ? "" : ",") + quoted(web::PageIds.at(element).name) + ':'
            + std::to_string(element);
    }
    std::string browse;
    for (std::size_t move = 0; move < web::BrowseNames.size(); ++move) {
        browse
            += (browse.empty() ? "" : ",") + quoted(web::BrowseNames.at(move)) + ':' + std::to_string(move);
    }
    const std::string lists = "\"battles\":" + std::to_string(list1::BattlePicks)
        + ",\"commanders\":" + std::to_string(list1::CommanderPicks);
    std::string calls;
#define BITKI_CALL(name) calls += (calls.empty() ? "" : ",") + quoted(#name) + ':' + quoted("_bitki_" #name);
    BITKI_PAGE_CALLS(BITKI_CALL)
#undef BITKI_CALL
    return "{\"id\":{" + ids + "},\"element\":{" + elements + "},\"list\":{" + lists + "},\"browse\":{"
        + browse + "},\"call\":{" + calls + "}}";
}

std::string replaced(std::string text, std::string_view from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct Sources {
    std::string page;
    std::string sheet;
    std::string widgets;
    std::string start;
    std::string code;
    std::string wasm;
    std::string icon;
};

using Fields = std::map<std::string, std::string, std::less<>>;

// The template with every @NAME@ filled in; nothing else in it changes.
std::optional<std::string> filled(const std::string& page, const Fields& fields)
{
    std::string html;
    std::size_t at = 0;
    for (std::size_t open = page.find('@'); open != std::string::npos; open = page.find('@', at)) {
        const std::size_t close = page.find('@', open + 1);
        const auto field = close == std::string::npos ? fields.end()
                                                      : fields.find(page.substr(open + 1, close - open - 1));
        if (field == fields.end()) {
            std::cerr << "bitki_web_shell: the template has an unknown field at byte " << open << '\n';
            return std::nullopt;
        }
        html += page.substr(at, open - at) + field->second;
        at = close + 1;
    }
    return html + page.substr(at);
}

std::optional<std::string> document(const web::QuizForm& form, const Sources& sources)
{
    const web::WebTextControl& feedback = form.text1(text1::Feedback);
    const auto text = [](design::Described control) {
        return design::AccessibleTexts.at(static_cast<std::size_t>(control));
    };
    Fields fields{
        {"ICON", sources.icon},
        {"CAPTION", escaped(design::Caption)},
        {"THEME", hex(design::WindowColour)},
        {"DESIGN", designSheet()},
        {"STYLE", replaced(sources.sheet, "@media stacked", "@media " + stackedScreens())},
        {"FEEDBACK_PLACE", placed(design::Text1Rects[text1::Feedback])},
        {"FEEDBACK_NAME", escaped(text(design::Described::Feedback).name)},
        {"FEEDBACK_LINES", joined(feedback.lineStarts())},
        {"FEEDBACK_TEXT", escaped(feedback.Text())},
        {"FEEDBACK_DESCRIPTION", escaped(feedback.description())},
        {"HEADING_PLACE", placed(design::Label1Rect)},
        {"HEADING", escaped(design::HeadingText)},
        {"BATTLES_PLACE", placed(design::List1Rects[list1::BattlePicks])},
        {"BATTLES_NAME", escaped(text(design::Described::Battles).name)},
        {"BATTLES_ROWS", options(form.list1(list1::BattlePicks))},
        {"BATTLES_DESCRIPTION", escaped(text(design::Described::Battles).description)},
        {"COMMANDERS_PLACE", placed(design::List1Rects[list1::CommanderPicks])},
        {"COMMANDERS_NAME", escaped(text(design::Described::Commanders).name)},
        {"COMMANDERS_ROWS", options(form.list1(list1::CommanderPicks))},
        {"COMMANDERS_DESCRIPTION", escaped(text(design::Described::Commanders).description)},
        {"RESTART_PLACE", placed(design::Command1Rect)},
        {"RESTART", escaped(design::RestartText)},
        {"RESTART_DESCRIPTION", escaped(text(design::Described::Restart).description)},
        {"SHARED", shared()},
        {"PAGE_SCRIPT", sources.widgets},
        {"START_SCRIPT", sources.start},
        {"CODE", sources.code},
        {"WASM", sources.wasm},
    };
    for (const web::PageId& id : web::PageIds) {
        fields.emplace("id." + std::string(id.name), id.id);
    }
    return filled(sources.page, fields);
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
    if (argc == 3 && std::string_view(argv[1]) == "--manifest") {
        const auto manifest = read(argv[2]);
        const auto text
            = manifest ? filled(*manifest, {{"WINDOW", hex(design::WindowColour)}}) : std::nullopt;
        if (!text) {
            return 1;
        }
        std::cout << *text;
        return std::cout.good() ? 0 : 1;
    }
    if (argc != 8) {
        std::cerr << "usage: bitki_web_shell page.html.in style.css page.js start.js bitki_code.js "
                     "wasm.b64 icon.b64\n       bitki_web_shell --manifest bitki.webmanifest.in\n";
        return 2;
    }
    Sources sources;
    std::string* const parts[]{&sources.page, &sources.sheet, &sources.widgets, &sources.start, &sources.code,
        &sources.wasm, &sources.icon};
    for (int i = 1; i < argc; ++i) {
        const auto part = read(argv[i]);
        if (!part) {
            return 1;
        }
        *parts[i - 1] = *part;
    }
    const std::array scripts{3, 4, 5};
    const auto unfit = std::find_if(
        scripts.begin(), scripts.end(), [&](int script) { return !fitsInScript(*parts[script - 1]); });
    if (unfit != scripts.end()) {
        std::cerr << "bitki_web_shell: " << argv[*unfit] << " cannot stand inside a script element\n";
        return 1;
    }

    web::QuizForm form([](FocusTarget) {});
    form.Form_Load();
    const auto html = document(form, sources);
    if (!html) {
        return 1;
    }
    std::cout << *html;
    return std::cout.good() ? 0 : 1;
}
