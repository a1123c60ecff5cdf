#include "fill/fill_birth.h"

#include "fill/fill_shared.h"
#include "fill/filling_tags.h"
#include "fill/form_filler.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// Length of the bare split-year word BIRTHYEARCNT, and of one followed by two digits.
constexpr std::size_t kSplitWordLength = 12;
constexpr std::size_t kSplitWordWithPartsLength = 14;

// The value of a digit character; 0 for anything else.
int digitValue(char16_t c) {
    return (c >= u'0' && c <= u'9') ? c - u'0' : 0;
}

// The year word "BIRTHYEAR" followed by `suffix` in decimal.
Text yearWordWithSuffix(int suffix) {
    return u"BIRTHYEAR" + text::number(suffix);
}

}  // namespace

YearSplit parseYearSplit(TextView word) {
    if (word.size() == kSplitWordLength) return {1, 1};
    if (word.size() == kSplitWordWithPartsLength) return {digitValue(word[12]), digitValue(word[13])};
    return {0, 0};
}

int yearOptionWidth(const page::Element& list, bool measureValue) {
    const page::Element option = list.item(kYearProbeOption);
    if (!option) return 0;
    int width = text::len(text::trim(innerHtmlOf(option)));
    if (measureValue && width > kBareYearMaxLength) width = text::len(text::trim(valueOf(option)));
    return width;
}

Text yearWordForWidth(int width) {
    if (width == 2) return u"BIRTHYEAR34";
    if (width == 3) return u"BIRTHYEAR234";
    return u"BIRTHYEAR";
}

Text splitYearWord(YearSplit split, int width) {
    switch (split.parts) {
        case 1:
            return yearWordForWidth(width);
        case 2:
            if (split.position == 1) {
                if (width == 1) return u"BIRTHYEAR3";
                if (width == 2) return u"BIRTHYEAR12";
                return {};
            }
            if (width == 1) return u"BIRTHYEAR4";
            if (width == 2) return u"BIRTHYEAR34";
            return {};
        case 3:
            return split.position == 1 ? Text() : yearWordWithSuffix(split.position + 1);
        case 4:
            return yearWordWithSuffix(split.position);
        default:
            return {};
    }
}

std::optional<Text> eraYearPart(TextView y, YearSplit split) {
    if (y.empty()) return std::nullopt;
    if (split.parts == 1) return Text(y);
    if (split.parts != 2) return std::nullopt;
    if (split.position == 1) return y.size() == 1 ? Text(u"0") : Text(1, y[y.size() - 2]);
    return Text(1, y.back());
}

std::optional<Text> FormFiller::eraYear() const {
    const std::optional<std::int16_t> year = m_person.BirthYearJapan();
    if (!year) return std::nullopt;
    return text::number(*year);
}

void FormFiller::writeYearIntoInput(const page::Element& element, TextView tokenName, TextView y) {
    const std::string type = element.type();
    if (type == "radio") {
        SetValueByName(tokenName, y);
    } else if (type != "checkbox") {
        FillTextByName(tokenName, y);
    }
}

void FormFiller::FillBirthDate(TextView tokenName, TextView value) {
    // A collection has no tag name: it matches neither branch and is left alone.
    const page::Element element = find(tokenName).element();
    const std::string tag = element.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        writeYearIntoInput(element, tokenName, value);
    } else if (tag == "SELECT") {
        FillBirthYear(tokenName, u"BIRTHYEAR");
    }
}

void FormFiller::FillBirthYear(TextView tokenName, TextView word) {
    const page::Element element = find(tokenName).element();
    Text y;
    if (m_engine.UseEraYear) {
        // Without an era year there is nothing to write in any of the branches that use it.
        const std::optional<Text> era = eraYear();
        if (!era) return;
        y = *era;
    } else {
        y = TagWordValue(m_person, word);
    }

    const std::string tag = element.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        writeYearIntoInput(element, tokenName, y);
    } else if (tag == "SELECT" && m_engine.UseEraYear) {
        FillSelectByName(tokenName, y, u"");
    } else if (tag == "SELECT") {
        const Text yearWord =
            word == u"BIRTHYEAR" ? yearWordForWidth(yearOptionWidth(element, true)) : Text(word);
        FillSelectByName(tokenName, TagWordValue(m_person, yearWord), u"");
    }
}

void FormFiller::FillBirthYearDigits(TextView tokenName, TextView word) {
    const page::Element element = find(tokenName).element();
    const YearSplit split = parseYearSplit(word);
    std::optional<Text> y;
    if (m_engine.UseEraYear) {
        y = eraYear();
    } else {
        y = TagWordValue(m_person, word);
    }

    const std::string tag = element.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        if (y) writeYearIntoInput(element, tokenName, *y);
    } else if (tag == "SELECT" && !m_engine.UseEraYear) {
        // A list with fewer than three options reads as width 0 and gets the plain year (one
        // part) or nothing.
        const Text yearWord = splitYearWord(split, yearOptionWidth(element, split.parts == 1));
        if (!yearWord.empty()) FillSelectByName(tokenName, TagWordValue(m_person, yearWord), u"");
    } else if (tag == "SELECT") {
        if (!y) return;
        if (const std::optional<Text> part = eraYearPart(*y, split)) FillSelectByName(tokenName, *part, u"");
    }
}

void FormFiller::FillBirthYearType(TextView tokenName) {
    const page::Element element = find(tokenName).element();
    const std::string tag = element.tagName();
    if (tag == "INPUT" || tag == "TEXTAREA") {
        if (!isRadioOrCheckbox(element)) FillTextByName(tokenName, u"西暦");
        return;
    }
    if (tag != "SELECT") return;
    const Text html = innerHtmlOf(element);
    if (text::contains(html, u"西暦")) {
        FillSelectByName(tokenName, u"西暦", u"");
        return;
    }
    // An unknown era (no numeric birth year) is in no list.
    const Text era = m_person.BirthYearType();
    if (!era.empty() && text::contains(html, era)) {
        m_engine.UseEraYear = true;
        FillSelectByName(tokenName, era, u"");
    }
}

}  // namespace orvex::fill
