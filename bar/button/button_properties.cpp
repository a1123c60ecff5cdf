#include "bar/button/button_properties.h"

namespace orvex::bar::button {

const PropertyRow& propertyRow(ButtonProperty property) {
    // The table lists the properties in their declaration order.
    return kButtonProperties[static_cast<std::size_t>(property)];
}

std::optional<ButtonProperty> propertyNamed(std::string_view name) {
    for (const PropertyRow& row : kButtonProperties)
        if (row.storedAs == name) return row.property;
    return std::nullopt;
}

}  // namespace orvex::bar::button
