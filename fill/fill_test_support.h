#pragma once
// Test helpers of the form writers: pages from HTML text (with invisible elements marked as a
// live page would report them), lookups by name, and a sample person.

#include <memory>
#include <string>
#include <string_view>

#include "fill/user_info.h"
#include "page/document.h"
#include "page/document_builder.h"
#include "page/html_loader.h"
#include "text/text.h"

namespace orvex::fill::testing {

/// True when the element's inline style hides it (display:none or visibility:hidden).
inline bool hiddenByStyle(const page::Node& node) {
    for (const page::Attribute& a : node.attributes) {
        if (a.name != "style") continue;
        std::string style;
        for (char c : a.value)
            if (c != ' ') style.push_back(c);
        if (style.find("display:none") != std::string::npos ||
            style.find("visibility:hidden") != std::string::npos)
            return true;
    }
    return false;
}

/// The document of `html`, with every element that an inline style hides (and everything inside
/// it) marked as not rendered, as the live loader reports such elements.
inline std::unique_ptr<page::Document> loadPage(std::string_view html) {
    const std::unique_ptr<page::Document> parsed = page::loadHtml(html);
    page::DocumentBuilder builder;
    const std::vector<page::Node>& nodes = parsed->nodes();
    std::vector<int> hiddenUntil;  // `end` of each hiding element still open
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        const page::Node& node = nodes[static_cast<std::size_t>(i)];
        while (!hiddenUntil.empty() && i >= hiddenUntil.back()) hiddenUntil.pop_back();
        int added = -1;
        if (node.kind == page::NodeKind::Element) {
            added = builder.addElement(node.parent, node.tag, node.attributes);
            if (hiddenByStyle(node)) hiddenUntil.push_back(node.end);
            if (!hiddenUntil.empty()) builder.setRendered(added, false);
        } else if (node.kind == page::NodeKind::Text) {
            added = builder.addText(node.parent, node.text);
        } else {
            added = builder.addComment(node.parent, node.text);
        }
    }
    return builder.finish();
}

/// What the document's `all` collection gives for `name`.
inline page::NamedItem named(page::Document& document, std::string_view name) {
    return document.all().item(name);
}

/// The single element named `name` (null when none or several).
inline page::Element single(page::Document& document, std::string_view name) {
    return document.all().item(name).element();
}

/// The text of the selected option of a list; "" when none is selected.
inline std::string selectedText(const page::Element& list) {
    const page::Element option = list.item(list.selectedIndex());
    return option ? option.text() : std::string();
}

/// A woman born 1985-04-12, married, office worker, living in Shibuya; aged 35 on 2020-06-01.
inline clsUserInfo samplePerson() {
    clsUserInfo person("/nonexistent-orvex-dir", [] { return CalendarDate{2020, 6, 1}; });
    person.Visible = true;
    person.Name1 = u"山田";
    person.Name2 = u"花子";
    person.NameKana1 = u"やまだ";
    person.NameKana2 = u"はなこ";
    person.NameRome1 = u"Yamada";
    person.NameRome2 = u"Hanako";
    person.Female = true;
    person.BirthYear = u"1985";
    person.BirthMonth = u"4";
    person.BirthDay = u"12";
    person.Email1 = u"hanako";
    person.Email2 = u"example.jp";
    person.Tel1 = u"03";
    person.Tel2 = u"1234";
    person.Tel3 = u"5678";
    person.Marriage = true;
    person.Job1 = u"会社員";
    person.Job2 = u"事務職";
    person.Zip1 = u"150";
    person.Zip2 = u"0001";
    person.Prefecture = u"東京都";
    person.Address1 = u"渋谷区神宮前";
    person.Address2 = u"1-2-3";
    person.Address3 = u"ハイツ101";
    return person;
}

}  // namespace orvex::fill::testing
