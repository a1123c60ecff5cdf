#include "fill/orvex_writers.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

#include "fill/choice_words.h"
#include "fill/fill_shared.h"
#include "page/document.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// How far after a radio button its caption is looked for, in characters.
constexpr std::size_t kCaptionLength = 40;
// How many parents above a lone radio button are searched for the buttons beside it.
constexpr int kSiblingLevels = 3;
// The top of an open age band ("60歳以上").
constexpr long long kNoUpperAge = std::numeric_limits<long long>::max();

Text withoutWhitespace(TextView s) {
    return text::removeIf(s, [](char16_t c) {
        return text::isBlank(c) || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u00A0';
    });
}

bool holdsAny(TextView hay, std::span<const TextView> needles) {
    const Text lower = text::toLower(hay);
    for (TextView n : needles)
        if (!n.empty() && text::contains(lower, n)) return true;
    return false;
}

// ---- Choices and their captions ---------------------------------------------------------------

// A choice the person may pick: a list's option or a button, with its caption.
struct Choice {
    page::Element element;
    Text caption;
};

bool isRadio(const page::Element& e) {
    return e.tagName() == "INPUT" && e.type() == "radio";
}

// The radio buttons around a lone button: those under its nearest parent that holds two or more.
std::vector<page::Element> radiosAround(const page::Element& radio) {
    page::Element node = radio.parentElement();
    for (int level = 0; level < kSiblingLevels && node; ++level, node = node.parentElement()) {
        std::vector<page::Element> found;
        page::Document* document = node.document();
        const std::vector<page::Node>& nodes = document->nodes();
        for (int i = node.node() + 1; i < nodes[static_cast<std::size_t>(node.node())].end; ++i) {
            const page::Element e(document, i);
            if (e && isRadio(e)) found.push_back(e);
        }
        if (found.size() >= 2) return found;
    }
    return {};
}

// The choices of what an entry found: the options of a list, the buttons of a group (the buttons
// beside a lone one). Empty for anything else.
std::vector<page::Element> choiceElements(const page::NamedItem& found) {
    std::vector<page::Element> out;
    if (found.isCollection()) {
        const page::ElementCollection& members = found.collection();
        for (int i = 0; i < members.length(); ++i)
            if (isRadioOrCheckbox(members.item(i))) out.push_back(members.item(i));
        return out;
    }
    const page::Element single = found.element();
    if (single.tagName() == "SELECT") {
        const page::ElementCollection options = single.options();
        for (int i = 0; i < options.length(); ++i) out.push_back(options.item(i));
    } else if (isRadio(single)) {
        out = radiosAround(single);
    }
    return out;
}

// Picks the choice: selects an option, checks a button.
void pick(page::Element choice) {
    if (choice.tagName() == "OPTION") {
        choice.setSelected(true);
    } else {
        choice.setStatus(true);
    }
}

// ---- Occupation -------------------------------------------------------------------------------

// The row of wordings that holds `job`; nullptr when none does.
const choice_words::JobWordings* wordingsOf(TextView job) {
    for (const choice_words::JobWordings& row : choice_words::kJobWordings)
        for (TextView w : row)
            if (!w.empty() && job == w) return &row;
    return nullptr;
}

// The parts of a choice that joins several occupations.
std::vector<Text> partsOf(TextView caption) {
    std::vector<Text> parts{Text(caption)};
    for (TextView join : choice_words::kChoiceJoins) {
        std::vector<Text> next;
        for (const Text& p : parts)
            for (const Text& piece : text::split(p, join))
                if (!piece.empty()) next.push_back(piece);
        parts = std::move(next);
    }
    return parts;
}

// How well a choice fits the occupation: 5 the same words, 4 it holds the occupation, 3 one of its
// parts is another wording of it, 2 it holds the second wording, 1 it holds the second wording
// without its suffix 職; 0 it does not fit.
int jobFit(TextView caption, TextView job, TextView job2) {
    if (caption.empty()) return 0;
    if (caption == job || (!job2.empty() && caption == job2)) return 5;
    if (!job.empty() && text::contains(caption, job)) return 4;
    const choice_words::JobWordings* row = wordingsOf(job);
    if (row == nullptr && !job2.empty()) row = wordingsOf(job2);
    if (row != nullptr)
        for (const Text& part : partsOf(caption))
            if (std::find(row->begin(), row->end(), TextView(part)) != row->end()) return 3;
    if (!job2.empty() && text::contains(caption, job2)) return 2;
    if (text::endsWith(job2, choice_words::kWorkSuffix) && job2.size() > 2 &&
        text::contains(caption, job2.substr(0, job2.size() - 1)))
        return 1;
    return 0;
}

// ---- Age bands --------------------------------------------------------------------------------

struct Band {
    long long low = 0;
    long long high = 0;
};

// The ages a choice caption stands for ("40歳~49歳", "40代", "60歳以上", "~19歳", "41"); nullopt
// without a number.
std::optional<Band> bandOf(TextView captionIn) {
    const Text t = text::toHalfWidth(captionIn);
    std::vector<long long> numbers;
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] < u'0' || t[i] > u'9') {
            ++i;
            continue;
        }
        long long n = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) n = std::min<long long>(n * 10 + (t[i] - u'0'), 100000);
        numbers.push_back(n);
    }
    if (numbers.empty()) return std::nullopt;
    if (numbers.size() >= 2) return Band{std::min(numbers[0], numbers[1]), std::max(numbers[0], numbers[1])};
    const long long n = numbers[0];
    const bool opensUp = text::contains(t, u"以上") || text::endsWith(t, u"~") || text::endsWith(t, u"～") ||
                         text::endsWith(t, u"歳~") || text::endsWith(t, u"才~");
    if (text::contains(t, u"代")) return Band{n, n + 9};
    if (opensUp) return Band{n, kNoUpperAge};
    if (text::contains(t, u"未満")) return Band{0, n - 1};
    if (text::contains(t, u"以下") || text::startsWith(t, u"~") || text::startsWith(t, u"～")) return Band{0, n};
    return Band{n, n};
}

// ---- Dates ------------------------------------------------------------------------------------

Text twoDigits(TextView s) {
    return s.size() == 1 ? Text(u"0") + Text(s) : Text(s);
}

}  // namespace

OrvexWriters::OrvexWriters(page::Document& document) : m_document(document) {}

namespace {

// Elements that stand inside a line of text: a caption runs through them.
bool isInline(const std::string& tag) {
    static const std::array<std::string_view, 12> kInline = {"LABEL", "FONT", "B", "I",  "U",  "STRONG",
                                                             "EM",    "SMALL", "BIG", "A", "TT", "SPAN"};
    return std::find(kInline.begin(), kInline.end(), tag) != kInline.end();
}

bool isControlNode(const page::Node& n) {
    return n.kind == page::NodeKind::Element && (n.tag == "INPUT" || n.tag == "SELECT" || n.tag == "TEXTAREA");
}

// The nearest element around `element` that is no inline element.
int containerOf(const std::vector<page::Node>& nodes, int element) {
    int p = nodes[static_cast<std::size_t>(element)].parent;
    while (p >= 0 && isInline(nodes[static_cast<std::size_t>(p)].tag)) p = nodes[static_cast<std::size_t>(p)].parent;
    return p;
}

// The text after the button up to the next control or the end of its container.
Text textAfterButton(const std::vector<page::Node>& nodes, int button) {
    const int container = containerOf(nodes, button);
    const int end = container >= 0 ? nodes[static_cast<std::size_t>(container)].end : static_cast<int>(nodes.size());
    Text after;
    for (int i = nodes[static_cast<std::size_t>(button)].end; i < end && after.size() < kCaptionLength; ++i) {
        const page::Node& n = nodes[static_cast<std::size_t>(i)];
        if (isControlNode(n)) break;
        if (n.kind == page::NodeKind::Text) after += withoutWhitespace(text::fromUtf8(n.text));
    }
    return after;
}

// The text before the button back to the previous control or the start of its container.
Text textBeforeButton(const std::vector<page::Node>& nodes, int button) {
    const int container = containerOf(nodes, button);
    Text before;
    for (int i = button - 1; i > container && before.size() < kCaptionLength; --i) {
        const page::Node& n = nodes[static_cast<std::size_t>(i)];
        if (isControlNode(n) || (n.kind == page::NodeKind::Element && n.end > button)) {
            if (isControlNode(n)) break;
            continue;  // an element around the button
        }
        if (n.kind == page::NodeKind::Text) before = withoutWhitespace(text::fromUtf8(n.text)) + before;
    }
    return before;
}

}  // namespace

std::vector<Text> OrvexWriters::captionsOf(const std::vector<page::Element>& choices) {
    std::vector<Text> captions;
    if (choices.empty()) return captions;
    if (choices.front().tagName() == "OPTION") {
        for (const page::Element& option : choices) captions.push_back(withoutWhitespace(text::fromUtf8(option.text())));
        return captions;
    }
    if (!m_labels) m_labels.emplace(m_document);
    const std::vector<page::Node>& nodes = m_document.nodes();
    std::vector<Text> after;
    std::vector<Text> before;
    bool allOwn = true;
    for (const page::Element& c : choices) {
        captions.push_back(m_labels->of(c));
        allOwn = allOwn && !captions.back().empty();
        after.push_back(textAfterButton(nodes, c.node()));
        before.push_back(textBeforeButton(nodes, c.node()));
    }
    if (allOwn) return captions;
    // A group writes its captions after its buttons, unless nothing follows the last button and
    // a caption stands before the first.
    const bool captionsBefore = after.back().empty() && !before.front().empty();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (captions[i].empty()) captions[i] = captionsBefore ? before[i] : after[i];
    return captions;
}

bool OrvexWriters::operator()(FormFiller& filler, const FillingTagEntry& entry, EntryWrites& span) {
    if (!span.action) return false;
    switch (*span.action) {
        case FillAction::Job:
            return writeJob(filler, span);
        case FillAction::Sex:
        case FillAction::Marriage:
            return writeTwoWayChoice(filler, span);
        case FillAction::Age:
            return writeAge(span);
        case FillAction::BirthDate:
            return writeDateInput(filler, span);
        case FillAction::BirthYearType:
            return writeEraChoice(filler, span);
        default:
            break;
    }
    (void)entry;
    return false;
}

bool OrvexWriters::writeJob(FormFiller& filler, EntryWrites& span) {
    const std::vector<page::Element> choices = choiceElements(span.element);
    if (choices.empty()) return false;
    const clsUserInfo& person = filler.person();
    const std::vector<Text> captions = captionsOf(choices);
    int best = 0;
    page::Element chosen;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const int fit = jobFit(captions[i], person.Job1, person.Job2);
        if (fit > best) {
            best = fit;
            chosen = choices[i];
        }
    }
    // No choice fits: nothing is chosen (an "other" choice is no answer of the person's).
    if (chosen) pick(chosen);
    return true;
}

bool OrvexWriters::writeTwoWayChoice(FormFiller& filler, EntryWrites& span) {
    const bool lone = !span.element.isCollection() && isRadio(span.element.element());
    if (!span.element.isCollection() && !lone) return false;
    const std::vector<page::Element> choices = choiceElements(span.element);
    const clsUserInfo& person = filler.person();
    const bool sex = *span.action == FillAction::Sex;
    const std::vector<Text> captions = captionsOf(choices);
    std::vector<page::Element> fitting;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const page::Element& c = choices[i];
        if (isHiddenInput(c)) continue;
        const Text& caption = captions[i];
        bool yes = false;
        bool no = false;
        if (sex) {
            const bool female = holdsAny(caption, choice_words::kFemaleWords);
            const bool male = !female && holdsAny(caption, choice_words::kMaleWords);
            yes = person.Female ? female : male;
            no = person.Female ? male : female;
        } else {
            const bool unmarried = holdsAny(caption, choice_words::kUnmarriedWords);
            const bool married = !unmarried && holdsAny(caption, choice_words::kMarriedWords);
            yes = person.Marriage ? married : unmarried;
            no = person.Marriage ? unmarried : married;
        }
        if (yes && !no) fitting.push_back(c);
    }
    if (fitting.size() == 1) {
        pick(fitting.front());
        return true;
    }
    // A lone button is never given the word as its value; a group the captions do not tell apart
    // is left to the documented writer.
    return lone;
}

bool OrvexWriters::writeAge(EntryWrites& span) {
    const std::vector<page::Element> choices = choiceElements(span.element);
    if (choices.empty()) return false;
    long long age = 0;
    if (!text::parseInt(span.value, age)) return true;
    const std::vector<Text> captions = captionsOf(choices);
    page::Element chosen;
    long long narrowest = kNoUpperAge;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::optional<Band> band = bandOf(captions[i]);
        if (!band || age < band->low || age > band->high) continue;
        if (band->high - band->low < narrowest) {
            narrowest = band->high - band->low;
            chosen = choices[i];
        }
    }
    if (chosen) pick(chosen);
    return true;
}

bool OrvexWriters::writeDateInput(FormFiller& filler, EntryWrites& span) {
    const page::Element input = span.element.element();
    if (!input || input.tagName() != "INPUT" || input.type() != "date") return false;
    const clsUserInfo& p = filler.person();
    if (p.BirthYear.size() != 4 || p.BirthMonth.empty() || p.BirthDay.empty()) return false;
    // A date input takes the date in the form year-month-day with two-digit month and day.
    assignValue(input, p.BirthYear + u"-" + twoDigits(p.BirthMonth) + u"-" + twoDigits(p.BirthDay));
    return true;
}

bool OrvexWriters::writeEraChoice(FormFiller& filler, EntryWrites& span) {
    if (!span.element.isCollection()) return false;
    const std::vector<page::Element> choices = choiceElements(span.element);
    const Text era = filler.person().BirthYearType();
    const std::vector<Text> captions = captionsOf(choices);
    page::Element western;
    page::Element ofEra;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (text::contains(captions[i], u"西暦")) western = choices[i];
        if (!era.empty() && text::contains(captions[i], era)) ofEra = choices[i];
    }
    if (western) {
        pick(western);
    } else if (ofEra) {
        pick(ofEra);
        filler.engine().UseEraYear = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace orvex::fill
