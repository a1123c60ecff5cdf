#pragma once
// Handles to the elements of a document and to element collections. A handle is a small value
// (document pointer plus node index); a null handle answers every read with an empty result and
// refuses every write, so chains such as `e.parentElement().parentElement()` never fail.
// Handles stay valid as long as their document lives.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page/node.h"

namespace orvex::page {

class Document;
class ElementCollection;

/// One element of a document.
class Element {
  public:
    /// A null handle.
    Element() = default;
    /// A handle to node `node` of `document`; null when the node is not an element.
    Element(Document* document, int node);

    /// True when the handle names an element.
    bool exists() const { return m_document != nullptr; }
    explicit operator bool() const { return exists(); }
    bool operator==(const Element& other) const = default;

    /// The owning document; nullptr for a null handle.
    Document* document() const { return m_document; }
    /// The node index inside the document; -1 for a null handle.
    int node() const { return m_node; }

    /// Position among all elements of the document, from 0; -1 for a null handle.
    int sourceIndex() const;
    /// Upper-case element name ("INPUT"); empty for a null handle.
    std::string tagName() const;
    /// The object model's interface name ("HTMLInputElement", "HTMLElement" for most tags).
    std::string typeName() const;
    /// "text", "radio", ... for inputs; "select-one"/"select-multiple" for lists; "textarea";
    /// the `type` attribute as written for other elements; empty when there is none.
    std::string type() const;
    /// The `name` attribute; empty when absent.
    std::string name() const;
    /// The `id` attribute; empty when absent.
    std::string id() const;
    /// The attribute `name` (lower case) as the document holds it now; nullopt when absent.
    std::optional<std::string> attribute(std::string_view name) const;
    /// The attributes in document order (empty for a null handle).
    const std::vector<Attribute>& attributes() const;

    /// Current value: inputs, text areas, lists (value of the first selected option, "" when
    /// none), options (their `value` attribute, else their text); "" for other elements.
    std::string value() const;
    /// Assigns `value` with the browser's rules: text-like inputs sanitise it (line breaks
    /// dropped, invalid numbers and dates become ""), a list selects the first option with
    /// that value and none when no option has it, a text area normalises line breaks. Returns
    /// false, changing nothing, for elements without a value, for a file input given a
    /// non-empty text, and for a text input or text area that is not rendered (that refusal is
    /// recorded in the document's refusal log).
    bool setValue(std::string_view value);

    /// Checked state of a radio button or check box; false for other elements.
    bool status() const;
    /// Sets the checked state of a radio button or check box; checking a radio button unchecks
    /// the other buttons of its group (same name, same form). False for other elements.
    bool setStatus(bool checked);

    /// Option count of a list; 0 for other elements.
    int length() const;
    /// Option `index` (from 0) of a list; null when out of range or not a list.
    Element item(int index) const;
    /// The options of a list in order (empty for other elements).
    ElementCollection options() const;
    /// Index of the first selected option of a list; -1 when none or not a list.
    int selectedIndex() const;
    /// Selects option `index` alone; -1 or an index out of range deselects every option.
    /// False when the element is not a list.
    bool setSelectedIndex(int index);

    /// Text of an option (its text, blanks stripped and collapsed); for other elements the
    /// concatenated text of the element's descendants.
    std::string text() const;
    /// Selected state of an option; false for other elements.
    bool selected() const;
    /// Sets the selected state of an option; selecting one in a single-choice list deselects
    /// the others, and a drop-down list left without a selection selects its first option.
    /// False for elements that are not options.
    bool setSelected(bool selected);
    /// Position of an option in its list; -1 when it belongs to none.
    int index() const;

    /// The element's markup without its own tags, in the engine's serialisation.
    std::string innerHTML() const;
    /// The element's markup with its own tags, in the engine's serialisation.
    std::string outerHTML() const;

    /// The parent element; null at the top of the document.
    Element parentElement() const;
    /// The child elements in order.
    ElementCollection children() const;
    /// The form a control belongs to (its `form` attribute's FORM, else the nearest FORM
    /// ancestor); null when none.
    Element form() const;

    /// False when the element has no layout box in the live page; always true for saved pages.
    bool rendered() const;
    /// Records a scroll of the page to this element (the model has no layout of its own).
    void scrollIntoView(bool alignToTop = true);

  private:
    Document* m_document = nullptr;
    int m_node = -1;
};

class NamedItem;

/// An ordered collection of elements of one document (`all`, `tags(...)`, `children`, the
/// elements sharing a name).
class ElementCollection {
  public:
    /// An empty collection.
    ElementCollection() = default;
    /// The elements at the node indexes `nodes` of `document`, in that order.
    ElementCollection(Document* document, std::shared_ptr<const std::vector<int>> nodes);

    /// Number of elements.
    int length() const;
    /// Element `index` from 0; null when out of range.
    Element item(int index) const;
    /// The elements whose `id`, or for named kinds of element (A, FORM, INPUT, SELECT, ...)
    /// whose `name`, equals `name` exactly (case-sensitive): nothing, one element, or a
    /// collection in collection order.
    NamedItem item(std::string_view name) const;
    /// The elements whose tag name equals `tagName` (compared without regard to case).
    ElementCollection tags(std::string_view tagName) const;
    /// "HTMLElementCollection".
    std::string typeName() const;

    std::vector<Element>::size_type size() const { return static_cast<std::size_t>(length()); }

  private:
    Document* m_document = nullptr;
    std::shared_ptr<const std::vector<int>> m_nodes;
};

/// What a lookup by name gives: nothing, one element, or a collection of several.
class NamedItem {
  public:
    /// Nothing found.
    NamedItem() = default;
    /// One element.
    explicit NamedItem(Element element) : m_element(element) {}
    /// Several elements.
    explicit NamedItem(ElementCollection collection)
        : m_collection(std::move(collection)), m_isCollection(true) {}

    /// True when nothing was found.
    bool empty() const { return !m_isCollection && !m_element; }
    /// True when several elements share the name.
    bool isCollection() const { return m_isCollection; }
    /// The single element; null when nothing or a collection was found.
    Element element() const { return m_element; }
    /// The collection; empty unless several elements were found.
    const ElementCollection& collection() const { return m_collection; }
    /// "HTMLElementCollection" for a collection, the element's interface name for one
    /// element, "" for nothing.
    std::string typeName() const;

  private:
    Element m_element;
    ElementCollection m_collection;
    bool m_isCollection = false;
};

}  // namespace orvex::page
