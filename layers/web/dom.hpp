#pragma once
// The page's elements from C++: bytes as blob URLs, and the DOM's events
// passed to C++ listeners.

#include <emscripten/val.h>

#include <span>
#include <string>

namespace temperament::web {

using emscripten::val;

[[nodiscard]] inline val document() { return val::global("document"); }
[[nodiscard]] inline val createElement(const char* tag) { return document().call<val>("createElement", val(tag)); }
// The first element in `parent` that `selector` matches, or null.
[[nodiscard]] inline val querySelector(const val& parent, const char* selector) {
    return parent.call<val>("querySelector", val(selector));
}

// An object URL for `bytes` of the given MIME type: the embedded picture
// reaches the page without a request.
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
