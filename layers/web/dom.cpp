#include "layers/web/dom.hpp"

#include <emscripten/emscripten.h>

namespace temperament::web {
namespace {

// The one piece of JavaScript of the layer: a DOM listener that hands the
// event to C++ and prevents the default when C++ says so.
EM_JS(void, addListener, (emscripten::EM_VAL target, const char* type, Listener* listener), {
    Emval.toValue(target).addEventListener(
        UTF8ToString(type), function(event) {
            if (Module["_temperament_dom_event"](listener, Emval.toHandle(event))) event.preventDefault();
        });
});

}  // namespace

std::string blobUrl(std::span<const unsigned char> bytes, const char* type) {
    const val view(emscripten::typed_memory_view(bytes.size(), bytes.data()));
    val parts = val::array();
    parts.call<void>("push", val::global("Uint8Array").new_(view));  // a copy: the view is of the wasm heap
    val options = val::object();
    options.set("type", val(type));
    return val::global("URL").call<std::string>("createObjectURL", val::global("Blob").new_(parts, options));
}

void listen(const val& target, const char* type, Listener& listener) {
    addListener(target.as_handle(), type, &listener);
}

}  // namespace temperament::web

// Called by addListener's JavaScript for each event. The listeners run their
// work through the run-time's dispatch boundary, which reports any error.
extern "C" EMSCRIPTEN_KEEPALIVE int temperament_dom_event(temperament::web::Listener* listener,
                                                          emscripten::EM_VAL event) {
    return listener->handle(emscripten::val::take_ownership(event)) ? 1 : 0;
}
