#pragma once
// One native child window mirroring one control of the model. The main window
// creates them from the design data, tells them of each property change, and
// asks them how to colour themselves and whether their clicks are the user's.

#include "layers/win32/scheme.hpp"
#include "ui/control_model.hpp"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace temperament::win32 {

class Picture;

// What every child window is created with.
struct ChildPlacement {
    HWND parent = nullptr;
    int id = 0;
    RECT bounds{};         // in client pixels
    DWORD navigation = 0;  // WS_TABSTOP and WS_GROUP from the tab order
    HFONT font = nullptr;
    // The window it follows in the Z order, which is the tab order (HWND_TOP:
    // first); HWND_BOTTOM: last, where a new child window goes.
    HWND after = HWND_BOTTOM;
};

// The system's surface a control is part of: the dialog's (button text on
// button face) or a document's (window text on window: an EDIT, a LISTBOX).
enum class Surface { Dialog, Document };

class ControlView {
public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    [[nodiscard]] HWND handle() const noexcept { return window_; }
    [[nodiscard]] ui::Control& control() const noexcept { return control_; }

    // Brings the window in line with the model after `property` changed; the
    // main window shows and hides it.
    virtual void refresh(ui::Property property);
    // The colours it is painted with (WM_CTLCOLOR*), as the contrast rule
    // chooses them from its designed background and the scheme; nothing for
    // the platform's own.
    [[nodiscard]] std::optional<ui::ColourPair> colours(const Scheme& scheme) const;
    // Whether BN_CLICKED from this window is a user action for the dispatcher.
    [[nodiscard]] virtual bool takesClicks() const noexcept { return false; }
    // Paints an owner-drawn control.
    virtual void draw(const DRAWITEMSTRUCT& item) const;

protected:
    ControlView(ui::Control& control, HWND window, Surface surface = Surface::Dialog)
        : control_(control), window_(window), surface_(surface) {}

private:
    ui::Control& control_;
    HWND window_;  // destroyed with its parent
    Surface surface_;
};

// Creates a child window of a standard class with the control's font; throws
// WindowsError naming the control when Windows refuses.
[[nodiscard]] HWND createChild(const ui::Control& control, const wchar_t* windowClass, const std::wstring& text,
                               DWORD style, DWORD extendedStyle, const ChildPlacement& placement);

// Names `control` for screen readers by its AccessibleName, where the
// platform's accessible object of a standard control takes its name from a
// label: a hidden STATIC created just before the control in the Z order
// (Active Accessibility names an EDIT by the STATIC that precedes it). Returns
// where the control goes in the Z order: after the label, if it has one.
[[nodiscard]] ChildPlacement createNameLabel(const ui::Control& control, const ChildPlacement& placement);

// One factory per control kind, each in its own file.
[[nodiscard]] std::unique_ptr<ControlView> createLabel(ui::Label& label, const ChildPlacement& placement);
[[nodiscard]] std::unique_ptr<ControlView> createTextBox(ui::TextBox& textBox, const ChildPlacement& placement);
[[nodiscard]] std::unique_ptr<ControlView> createCheckBox(ui::CheckBox& checkBox, const ChildPlacement& placement);
[[nodiscard]] std::unique_ptr<ControlView> createOptionButton(ui::OptionButton& option,
                                                              const ChildPlacement& placement);
[[nodiscard]] std::unique_ptr<ControlView> createListBox(ui::ListBox& listBox, const ChildPlacement& placement);
// The picture is decoded when the box is first shown and kept while it lives.
[[nodiscard]] std::unique_ptr<ControlView> createPictureBox(ui::PictureBox& pictureBox, const ChildPlacement& placement,
                                                            int dpi);

// Makes the group's one tab stop its selected option button, or the first
// while none is selected: Tab then enters the group once, and the arrow keys
// move within it. (BM_SETCHECK sets and clears a radio button's WS_TABSTOP
// with its check mark, which would leave a group with none selected without a
// tab stop, passed by.)
void updateOptionTabStops(const std::vector<ControlView*>& options);

}  // namespace temperament::win32
