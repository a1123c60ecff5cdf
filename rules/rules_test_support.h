#pragma once
// Helpers of the rule-stage tests: a page read with Orvex's rules (or the documented ones), and
// what the entries give each control by its page name.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html_items.h"
#include "page/document.h"
#include "page/html_loader.h"
#include "rules/rule_stages.h"
#include "text/text.h"

namespace orvex::rules::testing {

/// A page and what a reading of its first form gave.
struct ReadPage {
    std::unique_ptr<page::Document> document;
    std::unique_ptr<engine::clsHTMLItems> engine;

    /// The tag expression the entries give the control named `pageName` on the page (a leading
    /// "+" dropped); "" when no entry names it.
    std::string tagOf(std::string_view pageName) const {
        for (const text::Text& entry : engine->FillingTags) {
            const std::size_t eq = entry.rfind(u'=');
            if (eq == text::Text::npos) continue;
            text::Text token = entry.substr(0, eq);
            if (!token.empty() && token.back() == u'+') token.pop_back();
            if (const auto generated = engine->lookupGeneratedName(token)) token = generated->pageName;
            if (text::toUtf8(token) != pageName) continue;
            std::string tag = text::toUtf8(entry.substr(eq + 1));
            return !tag.empty() && tag.front() == '+' ? tag.substr(1) : tag;
        }
        return {};
    }
    /// The page names of the controls a stage left empty, with their details, as "name: detail".
    std::vector<std::string> leftEmpty() const {
        std::vector<std::string> out;
        for (const engine::LeftEmptyEntry& left : engine->RuleStages.leftEmpty) {
            text::Text token = left.tokenName;
            if (const auto generated = engine->lookupGeneratedName(token)) token = generated->pageName;
            out.push_back(text::toUtf8(token) + ": " + left.detail);
        }
        return out;
    }
};

/// The page of `html` with its first form read by Orvex's rules.
inline ReadPage readWithRules(std::string_view html) {
    ReadPage read;
    read.document = page::loadHtml(html);
    const page::Element form = read.document->all().tags("FORM").item(0);
    text::Text textRead;
    read.engine = readWithOrvexRules(text::fromUtf8(form.innerHTML()), form, textRead);
    return read;
}

/// The page of `html` with its first form read by the documented engine alone.
inline ReadPage readDocumented(std::string_view html) {
    ReadPage read;
    read.document = page::loadHtml(html);
    read.engine = std::make_unique<engine::clsHTMLItems>();
    read.engine->InterpretHTMLMain(text::fromUtf8(read.document->all().tags("FORM").item(0).innerHTML()));
    return read;
}

}  // namespace orvex::rules::testing
