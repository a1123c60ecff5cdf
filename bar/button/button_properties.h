#pragma once
// The properties of the bar's button control: the name each is stored under with the window
// that holds the button, its kind and the default a new button (or a missing stored value)
// takes, and which changes redraw the button or are reported to the container.

#include <array>
#include <optional>
#include <string_view>

namespace orvex::bar::button {

enum class PropertyKind { Colour, Boolean, Font, Int16, Single, Picture, String };

enum class ButtonProperty {
    BackColor, ForeColor, Enabled, Font, BackStyle, BorderStyle, BorderType, ButtonType,
    Appearance, DrawMode, DrawStyle, FontSize, Image, Picture, Caption, TextAlign,
};

struct PropertyRow {
    ButtonProperty property;
    std::string_view storedAs;  // the name the value is stored and read back under
    PropertyKind kind;
    // The default as stored text: "0", "False", "" ; the font's default is the container's
    // font and the pictures' the empty picture, both written as "".
    std::string_view defaultText;
    bool redraws;          // setting it redraws the button
    bool reportsChange;    // setting it tells the container that the stored value changed
};

// Every property of the control, in the order the container stores them.
inline constexpr std::array<PropertyRow, 16> kButtonProperties = {{
    {ButtonProperty::BackColor, "BackColor", PropertyKind::Colour, "0", false, true},
    {ButtonProperty::ForeColor, "ForeColor", PropertyKind::Colour, "0", false, true},
    {ButtonProperty::Enabled, "Enabled", PropertyKind::Boolean, "False", false, true},
    {ButtonProperty::Font, "Font", PropertyKind::Font, "", false, true},
    {ButtonProperty::BackStyle, "BackStyle", PropertyKind::Int16, "0", false, true},
    {ButtonProperty::BorderStyle, "BorderStyle", PropertyKind::Int16, "0", false, true},
    {ButtonProperty::BorderType, "BorderType", PropertyKind::Int16, "0", true, true},
    {ButtonProperty::ButtonType, "ButtonType", PropertyKind::Int16, "0", true, true},
    {ButtonProperty::Appearance, "Appearance", PropertyKind::Int16, "0", false, true},
    {ButtonProperty::DrawMode, "DrawMode", PropertyKind::Int16, "0", false, true},
    {ButtonProperty::DrawStyle, "DrawStyle", PropertyKind::Int16, "0", false, true},
    {ButtonProperty::FontSize, "FontSize", PropertyKind::Single, "0", false, true},
    {ButtonProperty::Image, "Image", PropertyKind::Picture, "", false, true},
    {ButtonProperty::Picture, "Picture", PropertyKind::Picture, "", false, true},
    {ButtonProperty::Caption, "Caption", PropertyKind::String, "", true, false},
    {ButtonProperty::TextAlign, "TextAlign", PropertyKind::Int16, "0", true, false},
}};
static_assert(kButtonProperties.size() == 16);

/// The row of `property`.
const PropertyRow& propertyRow(ButtonProperty property);

/// The row stored under `name` (exact spelling); nothing for a name the control does not store.
std::optional<ButtonProperty> propertyNamed(std::string_view name);

}  // namespace orvex::bar::button
