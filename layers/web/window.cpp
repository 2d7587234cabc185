#include "layers/web/window.hpp"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace temperament::web {
namespace {

// The window's elements by the member each shows (data-member).
std::map<std::string, val> elementsByMember(const val& window) {
    std::map<std::string, val> elements;
    const val children = window["children"];
    const int count = children["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const val child = children[i];
        const val member = child.call<val>("getAttribute", val("data-member"));
        if (member.isString()) elements.emplace(member.as<std::string>(), child);
    }
    return elements;
}

bool isArrowKey(const std::string& key) {
    return key == "ArrowUp" || key == "ArrowDown" || key == "ArrowLeft" || key == "ArrowRight";
}

}  // namespace

Window::Window(ui::MainForm& form, const runtime::Dispatcher& dispatcher)
    : form_(form), dispatcher_(dispatcher), user_(form, dispatcher_), element_(querySelector(document(), "main")) {
    if (element_.isNull()) throw std::runtime_error("the page has no window (a main element) for the program");
    const UserClick clicked = [this](ui::Control& control) { userClicked(control); };
    const Failure failure = [this](const std::string& what) { failed(what); };
    // In tab order: the order in which the page is read aloud, too.
    const std::map<std::string, val> elements = elementsByMember(element_);
    for (ui::Control* control : form.tabOrder()) {
        const auto element = elements.find(control->memberName());
        if (element == elements.end())
            throw std::runtime_error("the page shows no element for " + control->memberName());
        views_.emplace_back(control, createView(*control, element->second, clicked, failure));
    }
    // The page already shows the first screen; a choice the user made on it
    // before the program took over is answered now, as a click.
    const auto early =
        std::find_if(views_.begin(), views_.end(), [](const auto& each) { return each.second->changedByUser(); });
    ui::Control* clickedEarly = early != views_.end() ? early->first : nullptr;
    // What HTML cannot say (a grayed box) and the picture, if shown.
    for (const auto& [control, view] : views_) {
        view->refresh(ui::Property::Value);
        view->refresh(ui::Property::Visible);
        view->show(control->Visible());
    }
    listen(element_, "keydown", *this);
    listen(element_, "mousedown", keepFocus_);
    form_.subscribe(*this);
    if (clickedEarly != nullptr) {
        userClicked(*clickedEarly);
    } else if (focusedControl() == nullptr) {
        // The page's autofocus has it there already, unless the user moved it.
        if (const ui::Control* first = form_.nextTabStop(nullptr, false)) focus(*first);
    }
}

Window::~Window() { form_.unsubscribe(*this); }

void Window::end() {
    ended_ = true;
    element_.set("inert", val(true));
}

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
    // Browsers before inert (Chrome 102, Safari 15.5, Firefox 112) still
    // deliver clicks to an ended window: it only undoes the browser's flip.
    if (!ended_) {
        if (ui::takesFocus(control.kind())) focus(control);
        if (user_.clicked(control) == runtime::Continuation::Ended) end();
    }
    // The browser flips a check box or a radio button before it tells of the
    // click. Each shows the model's state again before the browser paints,
    // whether the model changed or not. (Cancelling the click instead would
    // have the browser put its own old state back after this handler.)
    for (const auto& [each, view] : views_) view->refresh(ui::Property::Value);
}

void Window::failed(const std::string& what) {
    if (dispatcher_.dispatch([&] { throw std::runtime_error(what); }) == runtime::Continuation::Ended) end();
}

bool Window::handle(const val& event) {
    if (ended_) return true;  // no key reaches an ended window
    const auto key = event["key"].as<std::string>();
    ui::Control* focused = focusedControl();
    // WebKitGTK names Shift+Tab (GTK's ISO_Left_Tab) by its key's code only.
    if (key == "Tab" || event["code"].as<std::string>() == "Tab") {
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
    if (window_.ended_) return true;  // nor a press of the mouse's button
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
