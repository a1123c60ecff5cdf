#pragma once
// Tag and type tables of the page model. Data only; the rules that use them live in the
// model, the serialiser and the loaders.

#include <array>
#include <string_view>

namespace orvex::page {

// Elements that never have content and are written without an end tag.
inline constexpr std::array<std::string_view, 18> kVoidElements = {
    "AREA",  "BASE", "BASEFONT", "BGSOUND", "BR",   "COL",  "EMBED", "FRAME",  "HR",
    "IMAGE", "IMG",  "INPUT",    "KEYGEN",  "LINK", "META", "PARAM", "SOURCE", "TRACK"};

// Elements whose text content is written as it stands, without character escapes.
inline constexpr std::array<std::string_view, 8> kRawTextElements = {
    "IFRAME", "NOEMBED", "NOFRAMES", "NOSCRIPT", "PLAINTEXT", "SCRIPT", "STYLE", "XMP"};

// Elements that the document's `all` collection finds by their `name` attribute (any element
// is found by its `id`); the same set a current browser uses.
inline constexpr std::array<std::string_view, 14> kNamedByNameElements = {
    "A",   "BUTTON", "EMBED", "FORM", "FRAME",  "FRAMESET", "IFRAME",
    "IMG", "INPUT",  "MAP",   "META", "OBJECT", "SELECT",   "TEXTAREA"};

// The input types a browser knows; any other `type` attribute reads as "text".
inline constexpr std::array<std::string_view, 22> kInputTypes = {
    "button", "checkbox", "color",    "date",  "datetime-local", "email", "file",   "hidden", "image",
    "month",  "number",   "password", "radio", "range",          "reset", "search", "submit", "tel",
    "text",   "time",     "url",      "week"};

// Input types whose `value` is the `value` attribute itself (writing the property rewrites
// the attribute); every other type keeps a current value apart from the attribute.
inline constexpr std::array<std::string_view, 7> kAttributeValueInputTypes = {
    "button", "checkbox", "hidden", "image", "radio", "reset", "submit"};

// Input types a person types text into; with TEXTAREA these are never written while they are
// not rendered, so a page cannot collect data through fields nobody can see.
inline constexpr std::array<std::string_view, 13> kTextEntryInputTypes = {
    "date", "datetime-local", "email", "month", "number", "password", "search",
    "tel",  "text",           "time",  "url",   "week",   "color"};

// Attributes whose presence is their meaning. An empty value of one of these is written bare
// (`<INPUT disabled>`), every other empty value as `name=""`: a document read from the live page
// cannot tell `value` from `value=""`, so both loaders' texts follow this one rule.
inline constexpr std::array<std::string_view, 27> kBooleanAttributes = {
    "allowfullscreen", "async",   "autofocus", "autoplay", "checked",        "compact",  "controls",
    "declare",         "default", "defer",     "disabled", "formnovalidate", "hidden",   "inert",
    "ismap",           "loop",    "multiple",  "muted",    "nohref",         "noresize", "noshade",
    "novalidate",      "nowrap",  "open",      "readonly", "required",       "selected"};

// Interface names that the object model reports for elements, by tag; other elements report
// "HTMLElement". None of them contains "Collection".
struct TypeNameRow {
    std::string_view tag;
    std::string_view typeName;
};
inline constexpr std::array<TypeNameRow, 22> kElementTypeNames = {{
    {"A", "HTMLAnchorElement"},          {"BODY", "HTMLBodyElement"},         {"BR", "HTMLBRElement"},
    {"BUTTON", "HTMLButtonElement"},     {"DIV", "HTMLDivElement"},           {"FONT", "HTMLFontElement"},
    {"FORM", "HTMLFormElement"},         {"FRAME", "HTMLFrameElement"},       {"IFRAME", "HTMLIFrameElement"},
    {"IMG", "HTMLImageElement"},         {"INPUT", "HTMLInputElement"},       {"LABEL", "HTMLLabelElement"},
    {"OPTGROUP", "HTMLOptGroupElement"}, {"OPTION", "HTMLOptionElement"},     {"P", "HTMLParagraphElement"},
    {"SELECT", "HTMLSelectElement"},     {"SPAN", "HTMLSpanElement"},         {"TABLE", "HTMLTableElement"},
    {"TD", "HTMLTableCellElement"},      {"TEXTAREA", "HTMLTextAreaElement"}, {"TH", "HTMLTableCellElement"},
    {"TR", "HTMLTableRowElement"},
}};

/// True when `table` holds `name` exactly; false for an empty name.
template <std::size_t N>
constexpr bool inTable(const std::array<std::string_view, N>& table, std::string_view name) {
    for (std::string_view entry : table)
        if (entry == name) return true;
    return false;
}

}  // namespace orvex::page
