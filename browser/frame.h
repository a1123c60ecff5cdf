#pragma once
// A document with a keyed list of names, a small record the watcher uses.

#include <optional>
#include <vector>

#include "browser/browser_document.h"
#include "text/text.h"

namespace orvex::browser {

class clsFrame {
  public:
    /// The document the names belong to.
    DocumentRef document;

    /// Appends `value`, under `key` unless the key is empty; false (nothing added) when the key is
    /// already used.
    bool AddNames(text::TextView value, text::TextView key = {});
    /// The name at `index` (from 1); nothing when out of range.
    std::optional<text::Text> Item(int index) const;
    /// The name under `key`; nothing when there is none.
    std::optional<text::Text> Item(text::TextView key) const;
    /// Number of names.
    int Count() const { return static_cast<int>(m_names.size()); }
    /// Removes the name at `index` (from 1); false when out of range.
    bool Remove(int index);
    /// Removes the name under `key`; false when there is none.
    bool Remove(text::TextView key);

    /// Enumeration of the names in order.
    auto begin() const { return m_names.begin(); }
    auto end() const { return m_names.end(); }

  private:
    std::vector<text::Text> m_names;
    std::vector<text::Text> m_keys;  // parallel to m_names; empty for names without a key
};

}  // namespace orvex::browser
