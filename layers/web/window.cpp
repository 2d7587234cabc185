#include "layers/web/window.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace temperament::web {
namespace {

// The design's face first, then faces with the same metrics, which the
// browser finds where Times New Roman is missing (Liberation Serif on Linux,
// Tinos on ChromeOS).
std::string fontFamily(const ui::FontDesign& font) {
    return '"' + font.name + "\", \"Liberation Serif\", \"Tinos\", serif";
}

void setIcon(std::span<const unsigned char> icon) {
    if (icon.empty()) return;
    val link = createElement("link");
    link.set("rel", val("icon"));
    link.set("type", val("image/x-icon"));
    link.set("href", val(blobUrl(icon, "image/x-icon")));
    document()["head"].call<void>("append", link);
}

bool isArrowKey(const std::string& key) {
    return key == "ArrowUp" || key == "ArrowDown" || key == "ArrowLeft" || key == "ArrowRight";
}

}  // namespace

Window::Window(ui::MainForm& form, const runtime::Dispatcher& dispatcher)
    : form_(form), dispatcher_(dispatcher), user_(form, dispatcher_), element_(createElement("main")) {
    document().set("title", val(form.Caption()));
    setIcon(form.icon());

    const val body = document()["body"];
    addStyles(body, "margin: 0; min-height: 100vh; display: grid; place-items: center; ");

    const ui::FontDesign& font = form.font();
    std::string css = "position: relative; overflow: hidden; width: " + px(form.clientWidth()) +
                      "; height: " + px(form.clientHeight()) + "; background-color: " + toCssColour(form.backColor()) +
                      "; font-family: " + fontFamily(font) + "; font-size: " + std::to_string(font.points) +
                      "pt; font-weight: " + std::to_string(font.weight) +
                      "; font-style: " + (font.italic ? "italic" : "normal") + "; ";
    if (font.underline || font.strikethrough) {
        css += std::string("text-decoration: ") + (font.underline ? "underline " : "") +
               (font.strikethrough ? "line-through" : "") + "; ";
    }
    addStyles(element_, css);

    const UserClick clicked = [this](ui::Control& control) { userClicked(control); };
    const Failure failure = [this](const std::string& what) { failed(what); };
    // In tab order: the order in which the page is read aloud, too.
    for (ui::Control* control : form.tabOrder()) {
        std::unique_ptr<ControlView> view = createView(*control, clicked, failure);
        element_.call<void>("append", view->element());
        views_.emplace_back(control, std::move(view));
    }
    listen(element_, "keydown", *this);
    listen(element_, "mousedown", keepFocus_);
    form_.subscribe(*this);
    body.call<void>("append", element_);
    if (const ui::Control* first = form_.nextTabStop(nullptr, false)) focus(*first);
}

Window::~Window() { form_.unsubscribe(*this); }

void Window::end() { element_.set("inert", val(true)); }

ControlView& Window::viewOf(const ui::Control& control) const {
    const auto view =
        std::find_if(views_.begin(), views_.end(), [&](const auto& each) { return each.first == &control; });
    if (view == views_.end()) throw std::logic_error("no element shows " + control.memberName());
    return *view->second;
}

void Window::changed(std::span<const ui::Change> changes) {
    for (const auto& [control, property] : changes) {
        ControlView& view = viewOf(*control);
        view.refresh(property);  // before showing, so a control is shown ready
        if (property == ui::Property::Visible) view.show(control->Visible());
    }
}

void Window::userClicked(ui::Control& control) {
    if (ui::takesFocus(control.kind())) focus(control);
    const runtime::Continuation result = user_.clicked(control);
    // The browser flips a check box or a radio button before it tells of the
    // click. Each shows the model's state again before the browser paints,
    // whether the model changed or not. (Cancelling the click instead would
    // have the browser put its own old state back after this handler.)
    for (const auto& [each, view] : views_) view->refresh(ui::Property::Value);
    if (result == runtime::Continuation::Ended) end();
}

void Window::failed(const std::string& what) {
    if (dispatcher_.dispatch([&] { throw std::runtime_error(what); }) == runtime::Continuation::Ended) end();
}

bool Window::handle(const val& event) {
    const auto key = event["key"].as<std::string>();
    ui::Control* focused = focusedControl();
    if (key == "Tab") {
        ui::Control* stop = form_.nextTabStop(focused, event["shiftKey"].as<bool>());
        if (stop == nullptr) return false;
        focus(*stop);
        return true;
    }
    auto* option = focused != nullptr ? ui::as<ui::OptionButton>(*focused) : nullptr;
    if (option == nullptr) return false;
    if (key == " ") {
        // The browser clicks a radio button on Space only while it is not
        // chosen; the keyboard contract chooses it again, one Click.
        userClicked(*option);
        return true;
    }
    if (!isArrowKey(key)) return false;
    // The arrows move the choice round the option buttons, one Click each.
    ui::OptionButton& next = form_.neighbour(*option, key == "ArrowUp" || key == "ArrowLeft");
    userClicked(next);
    return true;
}

bool Window::KeepFocus::handle(const val& event) {
    const val target = event["target"];
    if (target.strictlyEquals(window_.element_)) return true;
    return std::any_of(window_.views_.begin(), window_.views_.end(), [&](const auto& each) {
        return !ui::takesFocus(each.first->kind()) && each.second->element().template call<bool>("contains", target);
    });
}

void Window::focus(const ui::Control& control) const { viewOf(control).focusTarget().call<void>("focus"); }

ui::Control* Window::focusedControl() const {
    const val focused = document()["activeElement"];
    for (const auto& [control, view] : views_) {
        if (view->focusTarget().strictlyEquals(focused)) return control;
    }
    return nullptr;
}

}  // namespace temperament::web
