#pragma once
// The page's elements as the window definition describes them: twips to CSS
// pixels, 0x00BBGGRR colours, bytes as blob URLs; and the DOM's events passed
// to C++ listeners.

#include "ui/form_design.hpp"

#include <emscripten/val.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace temperament::web {

using emscripten::val;

[[nodiscard]] inline val document() { return val::global("document"); }
[[nodiscard]] inline val createElement(const char* tag) { return document().call<val>("createElement", val(tag)); }

// Sets one CSS property through the CSSOM (the page's policy allows no inline
// style attributes).
inline void setStyle(const val& element, const char* property, const std::string& value) {
    element["style"].call<void>("setProperty", val(property), val(value));
}
// Adds CSS declarations ("left: 8px; top: 0px; ") to an element's own, in one
// call: each call into the page costs more than the work it does.
void addStyles(const val& element, const std::string& declarations);

// Twips to CSS pixels: 15 twips a pixel at 96 DPI; the browser scales them on
// high-DPI screens.
inline constexpr int twipsPerPixel = 15;
[[nodiscard]] inline int toPixels(std::int32_t twips) {
    const std::int32_t half = twips < 0 ? -twipsPerPixel / 2 : twipsPerPixel / 2;
    return static_cast<int>((twips + half) / twipsPerPixel);
}
[[nodiscard]] inline std::string px(std::int32_t twips) { return std::to_string(toPixels(twips)) + "px"; }

[[nodiscard]] inline std::string toCssColour(std::uint32_t bgr) {
    return "rgb(" + std::to_string(bgr & 0xFFu) + ',' + std::to_string((bgr >> 8) & 0xFFu) + ',' +
           std::to_string((bgr >> 16) & 0xFFu) + ')';
}

// The DOM shows LF line breaks; the model keeps CR LF.
[[nodiscard]] std::string toDisplayText(std::string_view crlfText);

// An object URL for `bytes` of the given MIME type: the embedded picture and
// icon reach the page without a request.
[[nodiscard]] std::string blobUrl(std::span<const unsigned char> bytes, const char* type);

// Told of a DOM event; true prevents the browser's default action.
class Listener {
public:
    virtual bool handle(const val& event) = 0;

protected:
    Listener() = default;
    ~Listener() = default;
    Listener(const Listener&) = default;
    Listener& operator=(const Listener&) = default;
};

// `listener` hears `type` events at `target` for as long as the page lives;
// it must live as long.
void listen(const val& target, const char* type, Listener& listener);

}  // namespace temperament::web
