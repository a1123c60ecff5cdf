#include "rules/rule_form.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/field_kind.h"
#include "engine/tag_reader.h"
#include "page/document.h"
#include "rules/page_controls.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

// How far past the last matched page control a control token is looked for: the engine drops
// buttons and hidden inputs, so a few page controls may stand between two tokens.
constexpr std::size_t kMatchWindow = 16;

// The element names of the tokens that are controls.
constexpr std::array<TextView, 3> kControlNames = {u"INPUT", u"SELECT", u"TEXTAREA"};

// The control element name a token begins with ("INPUT", "SELECT", "TEXTAREA"); "" for any other
// token. The name must end at a blank or ">", as GetAttribute reads an element name.
TextView controlNameOf(TextView token) {
    if (token.size() < 2 || token[0] != u'<') return {};
    for (TextView name : kControlNames) {
        if (token.compare(1, name.size(), name) != 0) continue;
        const std::size_t after = name.size() + 1;
        if (after == token.size() || token[after] == u' ' || token[after] == u'>') return name;
    }
    return {};
}

bool isControlToken(TextView token) {
    return !controlNameOf(token).empty();
}

// Types the engine drops before it makes tokens; such page controls have no token.
bool droppedByEngine(std::string_view type) {
    return type == "hidden" || type == "submit" || type == "reset" || type == "button";
}

// Appends `text` without its "$CR$" marks.
void appendWithoutMarks(Text& out, TextView text) {
    for (std::size_t at = text.find(engine::kCrToken); at != TextView::npos; at = text.find(engine::kCrToken)) {
        out.append(text.substr(0, at));
        text.remove_prefix(at + engine::kCrToken.size());
    }
    out.append(text);
}

Text withoutMarks(TextView text) {
    Text out;
    appendWithoutMarks(out, text);
    return out;
}

int numberOf(TextView value) {
    long long n = 0;
    return text::parseInt(value, n) && n > 0 && n < 100000 ? static_cast<int>(n) : 0;
}

const std::string* attributeOf(const page::Node& node, std::string_view name) {
    for (const page::Attribute& a : node.attributes)
        if (a.name == name) return &a.value;
    return nullptr;
}

// The attributes the stages read of a control the page has, in one walk over its attributes.
void readNodeAttributes(const page::Node& node, RuleControl& c) {
    for (const page::Attribute& a : node.attributes) {
        if (a.value.empty()) continue;
        if (a.name == "placeholder") {
            c.placeholder = text::fromUtf8(a.value);
        } else if (a.name == "title") {
            c.title = text::fromUtf8(a.value);
        } else if (a.name == "autocomplete") {
            c.autocomplete = text::toLower(text::fromUtf8(a.value));
        } else if (a.name == "size") {
            c.size = numberOf(text::fromUtf8(a.value));
        } else if (a.name == "maxlength") {
            c.maxLength = numberOf(text::fromUtf8(a.value));
        }
    }
}

// The lower-case type of an INPUT as the page reads it ("text" when it has none).
std::string inputTypeOf(const page::Node& node) {
    const std::string* type = attributeOf(node, "type");
    if (type == nullptr || type->empty()) return "text";
    std::string lower = *type;
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return lower;
}

Text controlType(const page::Node* node, TextView tagName, TextView token) {
    if (tagName == u"SELECT") return u"select";
    if (tagName == u"TEXTAREA") return u"textarea";
    Text type = node != nullptr ? text::fromUtf8(inputTypeOf(*node)) : text::toLower(engine::GetAttribute(token, u"type"));
    return type.empty() ? Text(u"text") : type;
}

// A page control as the matching of tokens reads it.
struct PageControl {
    page::Element element;
    const page::Node* node = nullptr;
    Text name;
    bool dropped = false;  // a control the engine makes no token of
};

std::vector<PageControl> pageControlsOf(const page::Element& form) {
    std::vector<PageControl> out;
    if (!form || form.document() == nullptr) return out;
    for (const page::Element& e : formControls(form)) {
        const page::Node* node = form.document()->node(e.node());
        const std::string* name = attributeOf(*node, "name");
        out.push_back({e, node, name != nullptr ? text::fromUtf8(*name) : Text(),
                       node->tag == "INPUT" && droppedByEngine(inputTypeOf(*node))});
    }
    return out;
}

// True when the ASCII name `ascii` reads as `wide`.
bool sameAscii(std::string_view ascii, TextView wide) {
    if (ascii.size() != wide.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i)
        if (static_cast<char16_t>(static_cast<unsigned char>(ascii[i])) != wide[i]) return false;
    return true;
}

Text lowerCore(TextView label) {
    Text core = coreLabel(label);
    text::lowerInPlace(core);
    return core;
}

// Splits an entry at its last "=" after "=+" is read as "=", as the filling reads it.
RuleEntry parseEntry(const Text& entry) {
    const Text read = text::replaceAll(entry, u"=+", u"=");
    const std::size_t eq = read.rfind(u'=');
    RuleEntry out;
    out.text = entry;
    if (eq == Text::npos) {
        out.expression = read;
    } else {
        out.token = read.substr(0, eq);
        out.expression = read.substr(eq + 1);
    }
    return out;
}

}  // namespace

bool RuleControl::isTextBox() const {
    if (tagName == u"TEXTAREA") return false;
    if (tagName != u"INPUT") return false;
    return type != u"radio" && type != u"checkbox" && type != u"password" && type != u"file" &&
           type != u"image" && type != u"submit" && type != u"button" && type != u"reset" && type != u"hidden";
}

bool RuleControl::isChoice() const {
    return tagName == u"INPUT" && (type == u"radio" || type == u"checkbox");
}

std::string describe(const RuleControl& control) {
    if (!control.pageName.empty()) return text::toUtf8(control.pageName);
    if (control.element && !control.element.name().empty()) return control.element.name();
    if (!control.tokenName.empty()) return text::toUtf8(control.tokenName);
    return text::toUtf8(control.tagName);
}

RuleForm::RuleForm(engine::clsHTMLItems& engine, const page::Element& form) : m_engine(engine), m_form(form) {
    collectControls();
    readEntries();
    m_engine.RuleStages.rules = engine::RuleSet::Orvex;
}

void RuleForm::collectControls() {
    const std::vector<PageControl> pageControls = pageControlsOf(m_form);
    std::optional<OwnLabels> labels;
    if (!pageControls.empty()) labels.emplace(*m_form.document());
    m_rowLabels.assign(static_cast<std::size_t>(blockCount()) + 1, Text());
    m_coreRowLabels.assign(static_cast<std::size_t>(blockCount()) + 1, Text());
    m_controls.reserve(pageControls.size());
    std::size_t cursor = 0;
    for (int b = 0; b < blockCount(); ++b) {
        const std::vector<Text>& tokens = m_engine.Blocks[static_cast<std::size_t>(b)].colToken;
        Text pending;  // text since the last control
        Text& row = m_rowLabels[static_cast<std::size_t>(b) + 1];
        bool seenControl = false;
        std::size_t last = m_controls.size();  // index of the block's last control so far
        for (std::size_t t = 0; t < tokens.size(); ++t) {
            const Text& token = tokens[t];
            if (!isControlToken(token)) {
                if (engine::isTextToken(token)) {
                    appendWithoutMarks(pending, token);
                    if (!seenControl) appendWithoutMarks(row, token);
                    if (last < m_controls.size()) appendWithoutMarks(m_controls[last].after, token);
                }
                continue;
            }
            seenControl = true;
            RuleControl c;
            c.block = b + 1;
            c.token = static_cast<int>(t);
            c.tagName = Text(controlNameOf(token));
            c.tokenName = Text(engine::attributeView(token, u"name"));
            const TextView orgnm = engine::attributeView(token, u"orgnm");
            c.pageName = orgnm.empty() ? c.tokenName : Text(orgnm);
            c.special = Text(engine::attributeView(token, u"special"));
            const page::Node* node = nullptr;
            for (std::size_t k = cursor; k < pageControls.size() && k < cursor + kMatchWindow; ++k) {
                const PageControl& pc = pageControls[k];
                if (pc.dropped || !sameAscii(pc.node->tag, c.tagName) || (!c.pageName.empty() && pc.name != c.pageName))
                    continue;
                c.element = pc.element;
                node = pc.node;
                cursor = k + 1;
                break;
            }
            c.type = controlType(node, c.tagName, token);
            if (node != nullptr) {
                readNodeAttributes(*node, c);
            } else {
                c.placeholder = Text(engine::attributeView(token, u"placeholder"));
                c.title = Text(engine::attributeView(token, u"title"));
                c.autocomplete = text::toLower(engine::attributeView(token, u"autocomplete"));
                c.size = numberOf(engine::attributeView(token, u"size"));
                c.maxLength = numberOf(engine::attributeView(token, u"maxlength"));
            }
            if (labels) c.ownLabel = labels->of(c.element);
            c.before = std::move(pending);
            pending.clear();
            c.coreBefore = lowerCore(c.before);
            c.coreOwn = lowerCore(c.ownLabel);
            m_controls.push_back(std::move(c));
            last = m_controls.size() - 1;
        }
        m_coreRowLabels[static_cast<std::size_t>(b) + 1] = lowerCore(row);
    }
    m_leftEmpty.assign(m_controls.size(), false);
    m_rowKinds.assign(static_cast<std::size_t>(blockCount()) + 1, 0);
    m_blockControls.assign(static_cast<std::size_t>(blockCount()) + 1, {0, 0});
    for (std::size_t i = m_controls.size(); i-- > 0;) {
        auto& range = m_blockControls[static_cast<std::size_t>(m_controls[i].block)];
        if (range.second == 0) range.second = i + 1;
        range.first = i;
        if (!m_controls[i].tokenName.empty()) m_controlsByToken[m_controls[i].tokenName].push_back(i);
    }
    for (auto& [token, list] : m_controlsByToken) std::reverse(list.begin(), list.end());
}

void RuleForm::readEntries() {
    for (const Text& entry : m_engine.FillingTags) {
        m_entries.push_back(parseEntry(entry));
        indexEntry(m_entries.size() - 1);
    }
}

void RuleForm::indexEntry(std::size_t index) {
    const Text& token = m_entries[index].token;
    if (!token.empty()) m_entriesByToken[token].push_back(index);
}

std::vector<std::size_t> RuleForm::liveEntries(TextView token) const {
    std::vector<std::size_t> out;
    const auto it = m_entriesByToken.find(token);
    if (it == m_entriesByToken.end()) return out;
    for (std::size_t i : it->second)
        if (!m_entries[i].removed && m_entries[i].token == token) out.push_back(i);
    return out;
}

ControlRange RuleForm::controlsOf(int block) const {
    if (block < 1 || static_cast<std::size_t>(block) >= m_blockControls.size()) return {};
    const auto [first, end] = m_blockControls[static_cast<std::size_t>(block)];
    return ControlRange(m_controls.data() + first, m_controls.data() + end);
}

const RuleControl* RuleForm::controlNamed(TextView tokenName) const {
    if (tokenName.empty()) return nullptr;
    const auto it = m_controlsByToken.find(tokenName);
    return it == m_controlsByToken.end() || it->second.empty() ? nullptr : &m_controls[it->second.front()];
}

void RuleForm::renameControl(std::size_t index, TextView tokenName) {
    if (index >= m_controls.size()) return;
    m_controls[index].tokenName = Text(tokenName);
    if (!tokenName.empty()) m_controlsByToken[Text(tokenName)].push_back(index);
}

int RuleForm::nextRow(int block) const {
    for (int b = block + 1; b <= blockCount(); ++b) {
        const auto [first, end] = m_blockControls[static_cast<std::size_t>(b)];
        if (end > first) return b;
    }
    return 0;
}

int RuleForm::previousRow(int block) const {
    for (int b = std::min(block, blockCount() + 1) - 1; b >= 1; --b) {
        const auto [first, end] = m_blockControls[static_cast<std::size_t>(b)];
        if (end > first) return b;
    }
    return 0;
}

bool RuleForm::adjacent(const RuleControl& first, const RuleControl& second) const {
    return first.block == second.block || &second - &first == 1;
}

const Text& RuleForm::rowLabel(int block) const {
    static const Text kNone;
    return block >= 1 && static_cast<std::size_t>(block) < m_rowLabels.size() ? m_rowLabels[static_cast<std::size_t>(block)]
                                                                               : kNone;
}

const Text& RuleForm::coreRowLabel(int block) const {
    static const Text kNone;
    return block >= 1 && static_cast<std::size_t>(block) < m_coreRowLabels.size()
               ? m_coreRowLabels[static_cast<std::size_t>(block)]
               : kNone;
}

std::uint32_t RuleForm::kindsNamed(TextView label) const {
    if (label.empty()) return 0;
    auto it = m_labelKinds.find(label);
    if (it == m_labelKinds.end()) {
        std::uint32_t kinds = 0;
        for (int k = engine::kFirstKind; k <= engine::kLastKind; ++k)
            if (labelNamesKind(k, label)) kinds |= 1U << k;
        it = m_labelKinds.emplace(Text(label), kinds).first;
    }
    return it->second;
}

bool RuleForm::namesKind(int kind, TextView label) const {
    return engine::isKind(kind) && ((kindsNamed(label) >> kind) & 1U) != 0;
}

bool RuleForm::names(TagFamily family, TextView label) const {
    const std::uint32_t kinds = kindsNamed(label);
    for (int kind : kindsOf(family))
        if ((kinds >> kind) & 1U) return true;
    return false;
}

bool RuleForm::rowNames(TagFamily family, int block) const {
    if (block < 1 || static_cast<std::size_t>(block) >= m_rowKinds.size()) return false;
    std::uint32_t& kinds = m_rowKinds[static_cast<std::size_t>(block)];
    if (kinds == 0) kinds = kindsNamed(coreRowLabel(block)) | 1U;
    for (int kind : kindsOf(family))
        if ((kinds >> kind) & 1U) return true;
    return false;
}

Text RuleForm::blockText(int block) const {
    const engine::clsHTMLItemBlock* b = m_engine.blockAt(block);
    return b == nullptr ? Text() : withoutMarks(b->GetAllText());
}

const Text& RuleForm::tagOf(TextView token) const {
    static const Text kNone;
    if (token.empty()) return kNone;
    const auto it = m_entriesByToken.find(token);
    if (it == m_entriesByToken.end()) return kNone;
    for (std::size_t i : it->second)
        if (!m_entries[i].removed && m_entries[i].token == token) return m_entries[i].expression;
    return kNone;
}

const Text& RuleForm::tagOf(const RuleControl& control) const {
    return tagOf(control.tokenName);
}

void RuleForm::takeEntry(std::size_t entryIndex, const RuleControl& control, std::string_view stage,
                         std::string_view why) {
    if (entryIndex >= m_entries.size() || control.tokenName.empty()) return;
    RuleEntry& e = m_entries[entryIndex];
    const Text old = e.text;
    e.token = control.tokenName;
    e.text = e.token + u"=" + e.expression;
    indexEntry(entryIndex);
    note(stage, text::toUtf8(old) + " -> " + text::toUtf8(e.text) + ": " + std::string(why));
}

void RuleForm::setTag(const RuleControl& control, TextView expression, std::string_view stage,
                      std::string_view why) {
    if (control.tokenName.empty() || isLeftEmpty(control)) return;
    const std::vector<std::size_t> live = liveEntries(control.tokenName);
    if (live.size() == 1 && m_entries[live.front()].expression == expression) return;
    const std::string old = live.empty() ? std::string("(none)") : text::toUtf8(m_entries[live.front()].expression);
    RuleEntry entry{control.tokenName, Text(expression), control.tokenName + u"=" + Text(expression)};
    if (live.empty()) {
        m_entries.push_back(std::move(entry));
        indexEntry(m_entries.size() - 1);
    } else {
        // The new entry takes the place of the first one, so the filling order stays the page's.
        m_entries[live.front()] = std::move(entry);
        for (std::size_t k = 1; k < live.size(); ++k) m_entries[live[k]].removed = true;
    }
    note(stage, describe(control) + " " + old + " -> " + text::toUtf8(expression) + ": " + std::string(why));
}

void RuleForm::leaveEmpty(const RuleControl& control, engine::LeftEmptyReason reason, std::string_view detail,
                          std::string_view stage) {
    const std::ptrdiff_t at = &control - m_controls.data();
    if (at >= 0 && static_cast<std::size_t>(at) < m_leftEmpty.size()) m_leftEmpty[static_cast<std::size_t>(at)] = true;
    if (control.tokenName.empty()) return;
    // The buttons of a radio group share the name and the entry.
    if (const auto it = m_controlsByToken.find(control.tokenName); it != m_controlsByToken.end())
        for (std::size_t i : it->second) m_leftEmpty[i] = true;
    // The entries taken back are the record; the debug view lists them with the notes.
    for (std::size_t i : liveEntries(control.tokenName)) {
        RuleEntry& e = m_entries[i];
        e.removed = true;
        m_engine.RuleStages.leftEmpty.push_back(
            {e.text, control.tokenName, reason, std::string(detail), std::string(stage)});
    }
}

bool RuleForm::isLeftEmpty(const RuleControl& control) const {
    const std::ptrdiff_t at = &control - m_controls.data();
    return at >= 0 && static_cast<std::size_t>(at) < m_leftEmpty.size() && m_leftEmpty[static_cast<std::size_t>(at)];
}

void RuleForm::note(std::string_view stage, std::string text) {
    m_engine.RuleStages.notes.push_back({std::string(stage), std::move(text)});
}

void RuleForm::finish() {
    std::vector<Text> entries;
    entries.reserve(m_entries.size());
    for (const RuleEntry& e : m_entries)
        if (!e.removed) entries.push_back(e.text);
    m_engine.FillingTags = std::move(entries);
}

}  // namespace orvex::rules
