#include "fill/fill_select.h"

#include "engine/text_rules.h"
#include "fill/fill_shared.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// The value text taken after "value=" in an option's markup: up to the next ">", the two
// double quotes dropped when it is quoted at both ends, else cut at its first space.
Text optionValueAfter(TextView html) {
    const int at = text::find(html, u"value=");
    Text v = text::mid(html, at + 6);
    const int close = text::find(v, u">");
    if (close > 0) v = text::left(v, close - 1);
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"') return v.substr(1, v.size() - 2);
    if (v == u"\"") return Text();  // a lone quote: both ends are the same quote
    const int space = text::find(v, u" ");
    if (space > 0) v = text::left(v, space - 1);
    return v;
}

// True when a list's value reads as the number 0. The empty value counts as 0 here, as the
// loose comparison of a list's value with 0 reads it: a list left on its empty prompt has not
// taken the value.
bool readsAsZero(TextView value) {
    if (value.empty()) return true;
    for (char16_t c : value)
        if (c != u'0') return false;
    return true;
}

}  // namespace

void SetElementValue(const page::NamedItem& element, TextView text) {
    if (typeNameContains(element, "HTMLElementCollection")) {
        const page::ElementCollection& members = element.collection();
        for (int i = 0; i < members.length(); ++i)
            if (!isHiddenInput(members.item(i))) assignValue(members.item(i), text);
        return;
    }
    if (element.element()) assignValue(element.element(), text);
}

void FillElement(const page::NamedItem& element, TextView value, TextView alternative) {
    if (typeNameContains(element, "HTMLElementCollection")) {
        const page::ElementCollection& members = element.collection();
        for (int i = 0; i < members.length(); ++i)
            if (!isHiddenInput(members.item(i)))
                FillElement(page::NamedItem(members.item(i)), value, alternative);
        return;
    }
    const page::Element single = element.element();
    const std::string tag = single.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        if (!isRadioOrCheckbox(single)) assignValue(single, value);
    } else if (tag == "SELECT") {
        FillSelectElement(element, value, alternative);
    }
}

void FillSelectElement(const page::NamedItem& element, TextView value, TextView alternative) {
    if (typeNameContains(element, "HTMLElementCollection")) {
        const page::ElementCollection& members = element.collection();
        for (int i = 0; i < members.length(); ++i) {
            const page::Element member = members.item(i);
            if (isHiddenInput(member)) continue;
            assignValue(member, value);
            if (valueOf(member) == value) continue;
            const bool found = SelectOptionByText(member, value);
            if (!found && !alternative.empty()) SelectOptionByText(member, alternative);
        }
        return;
    }
    const page::Element list = element.element();
    if (list.tagName() != "SELECT") return;
    if (valueOf(list) == value) return;
    const bool found = SelectOptionByText(list, value);
    if (!found && !alternative.empty()) SelectOptionByText(list, alternative);
}

bool SelectOptionByText(page::Element list, TextView textIn) {
    if (textIn.empty() || !list) return false;
    Text text(textIn);

    // Step 2: the text in the list's markup, then in the markup without spaces outside tags,
    // then (in that same markup) the text in full-width characters, which is kept from here on.
    Text html = innerHtmlOf(list);
    int p = text::find(html, text);
    if (p == 0) {
        html = RemoveSpacesOutsideTags(html);
        p = text::find(html, text);
    }
    if (p == 0) {
        text = text::toFullWidth(text);
        p = text::find(html, text);
    }
    if (p == 0) return false;

    // Step 3: the markup from the tag that holds or precedes the match.
    const int s = text::findLast(text::left(html, p), u"<");
    if (s == 0) return false;
    html = text::mid(html, s);

    // Step 4: the first "value=" from there on, even when it belongs to a later option.
    bool found = false;
    if (text::contains(html, u"value=")) {
        const Text v = optionValueAfter(html);
        assignValue(list, v);
        found = !v.empty() && !readsAsZero(valueOf(list)) && list.selectedIndex() >= 0;
    }
    if (found) return true;

    // Step 5: scan the options of a single-choice list by their text.
    if (list.type() != "select-one") return false;
    const page::ElementCollection options = list.options();
    for (int i = 0; i < options.length(); ++i) {
        page::Element option = options.item(i);
        const Text t = engine::RemoveSpaces(text::fromUtf8(option.text()));
        if (text::contains(t, text) || text::contains(text::toHalfWidth(t), text)) {
            option.setSelected(true);
            return true;
        }
    }
    return false;
}

}  // namespace orvex::fill
