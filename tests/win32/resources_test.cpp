// Checks of the compiled resources as Windows loads them: the menu's items, ids and order, the
// input dialog's controls and layout, the form every other dialog shares (DIALOGEX, "MS Shell
// Dlg" 9, IDOK and IDCANCEL, texts that fit, no control over another), and the form of the
// icon and the toolbar pictures.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "resource_ids.h"
#include "timetable_grid.h"
#include "ui_fixture.h"

namespace {

HINSTANCE module() { return GetModuleHandleA(nullptr); }


const BYTE* resourceBytes(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module(), name, type);
    if (!found) return nullptr;
    return static_cast<const BYTE*>(LockResource(LoadResource(module(), found)));
}

const BITMAPINFOHEADER* bitmapHeader(int id) {
    return reinterpret_cast<const BITMAPINFOHEADER*>(
        resourceBytes(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */));
}

// Pixel (x, y) of a 32 x 32 24-bit picture, y counted from the top.
RGBTRIPLE pixel24(const BITMAPINFOHEADER* h, int x, int y) {
    const BYTE* rows = reinterpret_cast<const BYTE*>(h + 1);
    const BYTE* p = rows + (31 - y) * 96 + x * 3;
    return RGBTRIPLE{p[0], p[1], p[2]};
}

int whiteInColumn(const BITMAPINFOHEADER* h, int x) {
    int n = 0;
    for (int y = 0; y < 32; y++) {
        RGBTRIPLE c = pixel24(h, x, y);
        if (c.rgbtRed > 230 && c.rgbtGreen > 230 && c.rgbtBlue > 230) n++;
    }
    return n;
}

// Palette index of pixel (x, y) of a 32 x 32 1-bit picture, y counted from the top.
int index1(const BITMAPINFOHEADER* h, int x, int y) {
    const BYTE* rows = reinterpret_cast<const BYTE*>(h + 1) + 2 * sizeof(RGBQUAD);
    return (rows[(31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The name of every dialog template in the module: "DIALOG2", or "#700" for an id.
BOOL CALLBACK addDialogName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    std::string text = IS_INTRESOURCE(name) ? "#" + std::to_string((int)(ULONG_PTR)name) : name;
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(text);
    return TRUE;
}

std::vector<std::string> dialogNames() {
    std::vector<std::string> names;
    EnumResourceNamesA(module(), MAKEINTRESOURCEA(5) /* RT_DIALOG */, addDialogName, (LONG_PTR)&names);
    return names;
}

LPCSTR resourceName(const std::string& name) {
    return name[0] == '#' ? MAKEINTRESOURCEA(std::stoi(name.substr(1))) : name.c_str();
}

// What the header of a dialog template says: an extended template, and its font.
struct DialogForm {
    bool extended;
    int points;
    std::string face;
};

const WORD* skipNameOrId(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p) p++;
    return p + 1;
}

DialogForm readForm(const BYTE* bytes) {
    DialogForm form = {false, 0, ""};
    const WORD* words = reinterpret_cast<const WORD*>(bytes);
    form.extended = words[0] == 1 && words[1] == 0xFFFF;
    if (!form.extended) return form;
    DWORD style = *reinterpret_cast<const DWORD*>(bytes + 12);
    // version, signature, help id, extended style, style, count, x, y, cx, cy: 26 bytes
    const WORD* p = skipNameOrId(skipNameOrId(skipNameOrId(reinterpret_cast<const WORD*>(bytes + 26))));
    if (!(style & DS_SETFONT)) return form;
    form.points = p[0];
    for (p += 3; *p; p++) form.face += (char)*p;  // after the size, the weight, italic and charset
    return form;
}

std::vector<HWND> children(HWND dlg) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(dlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

}  // namespace

TEST(Resources, InputDialogIsHiddenWithItsControlsInPlace) {
    HWND dlg = CreateDialogParamA(module(), "DIALOG2", nullptr, quietDialog, 0);
    ASSERT_NE(dlg, nullptr);
    char text[64] = "";
    GetWindowTextA(dlg, text, sizeof text);
    EXPECT_STREQ(text, "keyboard input");
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_FALSE(IsWindowVisible(dlg));

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(lstrcmpiA(font.lfFaceName, "arial"), 0);

    RECT client, size = {0, 0, 200, 100};
    GetClientRect(dlg, &client);
    MapDialogRect(dlg, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    struct Control {
        int id;
        const char* cls;
        const char* text;
        int x, y, w, h;
        LONG mask, styles;
    };
    const Control controls[] = {
        {IDC_DLG_OK, "Button", "OK", 20, 82, 50, 14, BS_TYPEMASK | WS_TABSTOP,
         BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_DLG_CANCEL, "Button", "Cancel", 126, 82, 50, 14, BS_TYPEMASK | WS_TABSTOP,
         BS_PUSHBUTTON | WS_TABSTOP},
        {IDC_DLG_PROMPT, "Static", "Window title", 10, 18, 180, 40, SS_TYPEMASK | WS_GROUP,
         SS_LEFT | WS_GROUP},
        {IDC_DLG_TEXT, "Edit", "", 10, 60, 180, 14, ES_CENTER | ES_RIGHT | WS_TABSTOP,
         ES_LEFT | WS_TABSTOP},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.id);
        HWND h = GetDlgItem(dlg, c.id);
        ASSERT_NE(h, nullptr);
        GetClassNameA(h, text, sizeof text);
        EXPECT_EQ(lstrcmpiA(text, c.cls), 0) << text;
        GetWindowTextA(h, text, sizeof text);
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & c.mask, c.styles);
        RECT want = {c.x, c.y, c.x + c.w, c.y + c.h}, got;
        MapDialogRect(dlg, &want);
        GetWindowRect(h, &got);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        EXPECT_EQ(got.bottom, want.bottom);
    }
    // An edit control trades WS_BORDER for a client edge when it is created.
    HWND edit = GetDlgItem(dlg, IDC_DLG_TEXT);
    EXPECT_TRUE((GetWindowLongA(edit, GWL_STYLE) & WS_BORDER) ||
                (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    DestroyWindow(dlg);
}

// Every dialog beyond the input dialog, whatever its id: a DIALOGEX in "MS Shell Dlg" 9 that
// ends on the standard OK (the default button) and Cancel, whose texts show whole and whose
// controls stay inside it without covering each other.
TEST(Resources, EveryOtherDialogSharesOneForm) {
    std::vector<std::string> names = dialogNames();
    ASSERT_GE(names.size(), 5u);
    // The timetable dialog holds a control of the program's own class.
    ASSERT_EQ(0, registerTimetableGrid(module()));
    for (const std::string& name : names) {
        if (name == "DIALOG2") continue;
        SCOPED_TRACE(name);
        const BYTE* bytes = resourceBytes(resourceName(name), MAKEINTRESOURCEA(5));
        ASSERT_NE(bytes, nullptr);
        DialogForm form = readForm(bytes);
        EXPECT_TRUE(form.extended);
        EXPECT_EQ(form.points, 9);
        EXPECT_EQ(form.face, "MS Shell Dlg");

        HWND dlg = CreateDialogParamA(module(), resourceName(name), nullptr, quietDialog, 0);
        ASSERT_NE(dlg, nullptr);
        const int buttons[2][2] = {{IDOK, BS_DEFPUSHBUTTON}, {IDCANCEL, BS_PUSHBUTTON}};
        for (const auto& button : buttons) {
            HWND h = GetDlgItem(dlg, button[0]);
            EXPECT_NE(h, nullptr) << "no button " << button[0];
            if (h == nullptr) continue;
            EXPECT_EQ(lstrcmpiA(className(h).c_str(), "Button"), 0);
            EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK, button[1]);
        }
        RECT client;
        GetClientRect(dlg, &client);
        std::vector<HWND> controls = children(dlg);
        for (size_t i = 0; i < controls.size(); i++) {
            RECT a = childRect(controls[i]), both;
            SCOPED_TRACE(windowText(controls[i]) + " " + std::to_string(GetDlgCtrlID(controls[i])));
            EXPECT_TRUE(textFits(controls[i]));
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= client.right && a.bottom <= client.bottom);
            for (size_t j = i + 1; j < controls.size(); j++) {
                RECT b = childRect(controls[j]);
                EXPECT_FALSE(IntersectRect(&both, &a, &b)) << "covers " << GetDlgCtrlID(controls[j]);
            }
        }
        DestroyWindow(dlg);
    }
}

TEST(Resources, ToolbarPicturesHaveTheirFormAndColours) {
    for (int id = IDB_ARROW_RIGHT; id <= IDB_BLUE; id++) {
        SCOPED_TRACE(id);
        const BITMAPINFOHEADER* h = bitmapHeader(id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->biWidth, 32);
        EXPECT_EQ(h->biHeight, 32);
        EXPECT_EQ(h->biBitCount, id <= IDB_SAVE ? 24 : 1);
        HBITMAP loaded = LoadBitmapA(module(), MAKEINTRESOURCEA(id));
        BITMAP bm = {};
        ASSERT_NE(loaded, nullptr);
        GetObjectA(loaded, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 32);
        EXPECT_EQ(bm.bmHeight, 32);
        DeleteObject(loaded);
    }
    // The week colours: black and the colour in the palette, the colour inside a black frame.
    const COLORREF colours[] = {RGB(255, 255, 255), RGB(255, 255, 0), RGB(128, 255, 128),
                                RGB(255, 128, 128), RGB(160, 160, 255)};
    for (int k = 0; k < 5; k++) {
        SCOPED_TRACE(IDB_WHITE + k);
        const BITMAPINFOHEADER* h = bitmapHeader(IDB_WHITE + k);
        ASSERT_NE(h, nullptr);
        const RGBQUAD* palette = reinterpret_cast<const RGBQUAD*>(h + 1);
        EXPECT_EQ(RGB(palette[0].rgbRed, palette[0].rgbGreen, palette[0].rgbBlue), RGB(0, 0, 0));
        EXPECT_EQ(RGB(palette[1].rgbRed, palette[1].rgbGreen, palette[1].rgbBlue), colours[k]);
        EXPECT_EQ(index1(h, 0, 0), 0);
        EXPECT_EQ(index1(h, 31, 31), 0);
        EXPECT_EQ(index1(h, 16, 16), 1);
    }
}

TEST(Resources, ArrowsPointTheirWayOnYellow) {
    const BITMAPINFOHEADER* left = bitmapHeader(IDB_ARROW_LEFT);
    const BITMAPINFOHEADER* right = bitmapHeader(IDB_ARROW_RIGHT);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    // The head is taller than the shaft, so the head's side has the taller white column.
    EXPECT_GT(whiteInColumn(left, 12), whiteInColumn(left, 19) + 4);
    EXPECT_GT(whiteInColumn(right, 19), whiteInColumn(right, 12) + 4);
    for (const BITMAPINFOHEADER* h : {left, right}) {
        RGBTRIPLE c = pixel24(h, 4, 28);
        EXPECT_GT(c.rgbtRed, 200);
        EXPECT_GT(c.rgbtGreen, 150);
        EXPECT_LT(c.rgbtBlue, 80);
    }
}

TEST(Resources, IconHasSmallAndLargeImages) {
    const BYTE* group = resourceBytes(MAKEINTRESOURCEA(IDI_WINWKB), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    WORD count = reinterpret_cast<const WORD*>(group)[2];
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(group + 6);
    bool has16 = false, has32 = false;
    for (WORD i = 0; i < count; i++) {
        EXPECT_GE(entries[i].bitCount, 8);
        has16 = has16 || entries[i].width == 16;
        has32 = has32 || entries[i].width == 32;
    }
    EXPECT_TRUE(has16);
    EXPECT_TRUE(has32);
    for (int side : {16, 32}) {
        SCOPED_TRACE(side);
        HICON icon = static_cast<HICON>(
            LoadImageA(module(), MAKEINTRESOURCEA(IDI_WINWKB), IMAGE_ICON, side, side, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        BITMAP bm = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, side);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}
