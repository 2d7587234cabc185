// List box: a LISTBOX holding the design's items, each with item data 0.
// The program never shows its lists (they hold the types the handlers read),
// so none is made unless it is shown.

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

namespace temperament::win32 {
namespace {

class ListBoxControl final : public ControlView {
public:
    ListBoxControl(ui::ListBox& listBox, HWND window) : ControlView(listBox, window, Surface::Document) {}
};

}  // namespace

std::unique_ptr<ControlView> createListBox(ui::ListBox& listBox, const ChildPlacement& placement) {
    HWND window = createChild(listBox, L"LISTBOX", L"", LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_VSCROLL,
                              WS_EX_CLIENTEDGE, placement);
    auto control = std::make_unique<ListBoxControl>(listBox, window);
    const runtime::Int16 count = listBox.ListCount();
    for (std::int16_t i = 0; i < count.value(); ++i) {
        const LRESULT at = SendMessageW(window, LB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(widen(listBox.List(runtime::Int16{i})).c_str()));
        if (at < 0) throwLastError("не може да се попълни списъкът " + listBox.memberName());
        SendMessageW(window, LB_SETITEMDATA, static_cast<WPARAM>(at), 0);
    }
    return control;
}

}  // namespace temperament::win32
