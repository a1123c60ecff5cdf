// Stage "page-hints": what the page itself says a control is. A field name of the HTML
// standard's autocomplete attribute names the piece of data outright; the section token
// "shipping" marks a delivery address when the form also has one that is not; the input types
// email and tel say what a box takes, and password, file and url boxes never take the person's
// data.

#include <algorithm>

#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "page-hints";

// What a control's autocomplete attribute says.
struct Autocomplete {
    const words::AutocompleteField* field = nullptr;
    bool shipping = false;
    bool fax = false;
};

Autocomplete readAutocomplete(TextView value) {
    Autocomplete out;
    for (const Text& token : text::split(value, u" ")) {
        if (token == words::kShippingSection) out.shipping = true;
        if (token == words::kFaxToken) out.fax = true;
        for (const words::AutocompleteField& f : words::kAutocompleteFields)
            if (token == f.field) out.field = &f;
    }
    return out;
}

// The tag an autocomplete field stands for on this form: a fax number for a fax telephone field,
// the first address line with the city when the form has no city field, the two halves of a
// postal code split over two boxes.
Text hintedTag(const Autocomplete& hint, bool hasCityField, int postalIndex, int postalCount) {
    Text tag(hint.field->tag);
    if (hint.fax) tag = text::replaceAll(tag, u"TEL", u"FAX");
    if (!hasCityField && hint.field->field == u"address-line1") tag = u"ADDRESS1+ADDRESS2";
    if (!hasCityField && hint.field->field == u"street-address") tag = u"ADDRESS1+ADDRESS2+ADDRESS3";
    if (hint.field->field == u"postal-code" && postalCount == 2) tag = postalIndex == 0 ? u"ZIP1" : u"ZIP2";
    return tag;
}

bool labelHolds(const RuleForm& form, const RuleControl& c, std::span<const TextView> list) {
    return holdsAny(c.before, list) || holdsAny(c.ownLabel, list) || holdsAny(form.rowLabel(c.block), list);
}

}  // namespace

void pageHintsStage(RuleForm& form) {
    std::vector<Autocomplete> hints;
    bool hasCityField = false;
    bool hasUnshippedField = false;
    int postalCount = 0;
    for (const RuleControl& c : form.controls()) {
        hints.push_back(readAutocomplete(c.autocomplete));
        const Autocomplete& h = hints.back();
        if (h.field == nullptr) continue;
        hasCityField = hasCityField || h.field->field == u"address-level2";
        hasUnshippedField = hasUnshippedField || (!h.shipping && !h.field->tag.empty());
        postalCount += h.field->field == u"postal-code" && !h.shipping ? 1 : 0;
    }
    int postalIndex = 0;
    for (std::size_t i = 0; i < form.controls().size(); ++i) {
        const RuleControl& c = form.controls()[i];
        const Autocomplete& h = hints[i];
        const Text tag = form.tagOf(c);
        const TagFamily family = familyOf(tag);
        if (h.field != nullptr) {
            if (h.shipping && hasUnshippedField) {
                form.leaveEmpty(c, engine::LeftEmptyReason::SecondBlock, "autocomplete shipping", kStage);
            } else if (h.field->tag.empty()) {
                if (!tag.empty())
                    form.leaveEmpty(c, engine::LeftEmptyReason::NotPersonal,
                                    "autocomplete " + text::toUtf8(h.field->field), kStage);
            } else {
                const Text hinted = hintedTag(h, hasCityField, postalIndex, postalCount);
                if (h.field->field == u"postal-code") ++postalIndex;
                form.setTag(c, hinted, kStage, "autocomplete " + text::toUtf8(h.field->field));
            }
            continue;
        }
        if (c.type == u"password" || c.type == u"file" || c.type == u"url") {
            if (!tag.empty())
                form.leaveEmpty(c, engine::LeftEmptyReason::NotPersonal, "a " + text::toUtf8(c.type) + " box", kStage);
        } else if (c.type == u"email" && family != TagFamily::Email && family != TagFamily::None) {
            form.setTag(c, u"EMAIL", kStage, "an e-mail input");
        } else if (c.type == u"tel" && family != TagFamily::Tel && family != TagFamily::Fax &&
                   family != TagFamily::None &&
                   !(family == TagFamily::Zip && labelHolds(form, c, words::kZipWords))) {
            const bool fax = labelHolds(form, c, std::array{TextView(u"fax"), TextView(u"ｆａｘ")});
            form.setTag(c, fax ? u"FAX" : u"TEL", kStage, "a telephone input");
        }
    }
}

}  // namespace orvex::rules
