// Names for screen readers in every dialog beyond the input window: each control that takes
// input is named through the accessibility interface (as a screen reader asks for it), and in
// the resources its label comes right before it with a mnemonic, since Windows, unlike Wine,
// takes the name only from there.
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timetable_grid.h"
#include "ui/win32/window_handles.h"
#include "ui_fixture.h"

namespace {

// MinGW's import library gives a wrong IID_IAccessible: the interface's own id.
const GUID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK addDialogId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(ids)->push_back((int)(ULONG_PTR)name);
    return TRUE;
}

std::string accessibleName(HWND control) {
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, (DWORD)OBJID_CLIENT, kIAccessible, (void**)&acc)) || !acc)
        return "";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(acc->get_accName(self, &name)) && name != nullptr) {
        char bytes[256] = "";
        WideCharToMultiByte(CP_ACP, 0, name, -1, bytes, sizeof bytes, nullptr, nullptr);
        text = bytes;
        SysFreeString(name);
    }
    acc->Release();
    return text;
}

bool isButton(HWND h) { return lstrcmpiA(className(h).c_str(), "Button") == 0; }

// A control that names itself: a button, a check box, a radio button.
bool namesItself(HWND h) { return isButton(h); }

bool isPushButton(HWND h) {
    LONG type = GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK;
    return isButton(h) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

TEST(AccessibleNames, EveryFieldOfEveryDialogHasANameAndALabelRightBeforeIt) {
    CoInitialize(nullptr);
    HINSTANCE module = GetModuleHandleA(nullptr);
    ASSERT_EQ(0, registerTimetableGrid(module));
    std::vector<int> ids;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, addDialogId, (LONG_PTR)&ids);
    ASSERT_GE(ids.size(), 5u);
    for (int id : ids) {
        HWND dlg = CreateDialogParamA(module, MAKEINTRESOURCEA(id), nullptr, quietDialog, 0);
        ASSERT_NE(dlg, nullptr) << id;
        HWND previous = nullptr;
        for (HWND h = GetWindow(dlg, GW_CHILD); h != nullptr; previous = h, h = GetWindow(h, GW_HWNDNEXT)) {
            LONG style = GetWindowLongA(h, GWL_STYLE);
            if (!(style & WS_TABSTOP)) continue;
            SCOPED_TRACE("dialog " + std::to_string(id) + ", control " + std::to_string(GetDlgCtrlID(h)));
            // Wine names edits and buttons through the interface, not yet list and combo boxes.
            if (namesItself(h) || lstrcmpiA(className(h).c_str(), "Edit") == 0) {
                EXPECT_NE(accessibleName(h), "");
            }
            if (namesItself(h)) {
                if (!isPushButton(h)) {
                    EXPECT_NE(windowText(h).find('&'), std::string::npos) << windowText(h);
                }
                continue;
            }
            ASSERT_NE(previous, nullptr);
            EXPECT_EQ(lstrcmpiA(className(previous).c_str(), "Static"), 0) << className(previous);
            EXPECT_NE(windowText(previous).find('&'), std::string::npos) << "label: " << windowText(previous);
        }
        DestroyWindow(dlg);
    }
    CoUninitialize();
}

}  // namespace

namespace {

class UiAccessibleNames : public UiTest {};

// The main window's notes editor is named for screen readers, though its layout has no label.
TEST_F(UiAccessibleNames, TheNotesEditorHasAName) {
    CoInitialize(nullptr);
    open();
    EXPECT_EQ(accessibleName(mainUi.notes), "Notes of the period");
    CoUninitialize();
}

}  // namespace
