// The window tests' fixture: temp base folder as current directory, fixed clock, recorded
// boxes and beeps, start-up and the main window as the program makes them.
#include "ui_fixture.h"

#include <cstring>
#include <ctime>

#include "app/startup.h"
#include "core/diary_state.h"
#include "diary/actions.h"
#include "diary/notes.h"
#include "diary/search.h"
#include "platform/faults.h"
#include "platform/platform.h"
#include "support/platform_recorder.h"
#include "support/temp_folder.h"
#include "support/win32/front_recorder.h"
#include "ui/win32/frontend_win32.h"
#include "ui/win32/input_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/modal_dialog.h"

static time_t noonOf(int year, int month, int day) {
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return mktime(&t);
}

void UiTest::SetUp() {
    static bool registered = false;
    if (!registered) {
        initCommonControls();
        registered = registerMainClass(GetModuleHandleA(NULL)) == 0;
    }
    resetDiaryState();
    forgetLoadedNote();
    forgetPromptedSlot();
    faultReset();
    frontShowRealBoxes(0);
    frontClearBoxes();
    frontClearTrace();
    inputDialogForceFailure(0);
    modalDialogDriver(NULL);
    platformRecordBeeps(1);
    platformRecordLaunches(1);
    platformSetNow(noonOf(2026, 4, 15));
    GetCurrentDirectoryA(sizeof startDirectory, startDirectory);
    SetCurrentDirectoryA(base.path().c_str());
}

void UiTest::TearDown() {
    if (window && IsWindow(window)) DestroyWindow(window);
    pumpMessages();
    closeSearchFile();
    frontClearBoxes();
    inputDialogForceFailure(0);
    modalDialogDriver(NULL);
    platformSetNow(0);
    SetCurrentDirectoryA(startDirectory);
    resetDiaryState();
}

void UiTest::open(bool teacherMode) {
    startUp();
    if (teacherMode) diaryState.teacherMode = 1;
    window = createMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL);
    ASSERT_NE(window, (HWND)NULL);
    pumpMessages();
    frontClearBoxes();
    frontClearTrace();
}

void UiTest::command(int id) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pumpMessages();
}

std::string UiTest::dataBytes(const std::string& name) const {
    return readBytes(base.file("wkb_db\\" + name));
}

void UiTest::writeData(const std::string& name, const std::string& text) const {
    writeBytes(base.file("wkb_db\\" + name), crlf(text));
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string windowText(HWND hwnd) {
    char text[1024] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string utf8Text(HWND hwnd) {
    WCHAR wide[1024] = L"";
    GetWindowTextW(hwnd, wide, 1024);
    char text[4096] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, NULL, NULL);
    return text;
}

std::string className(HWND hwnd) {
    char name[128] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

RECT childRect(HWND child) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(NULL, GetParent(child), (POINT*)&r, 2);
    return r;
}

std::string chooserItems(HWND chooser) {
    std::string out;
    int count = (int)SendMessageA(chooser, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char text[300] = "";
        SendMessageA(chooser, CB_GETLBTEXT, i, (LPARAM)text);
        out += (i ? "," : "") + std::string(text);
    }
    return out;
}

bool textFits(HWND control) {
    std::string text = windowText(control), cls = className(control);
    bool isStatic = lstrcmpiA(cls.c_str(), "Static") == 0;
    if (text.empty() || (!isStatic && lstrcmpiA(cls.c_str(), "Button") != 0)) return true;
    RECT client;
    GetClientRect(control, &client);
    int width = client.right;
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (!isStatic && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                      type == BS_AUTORADIOBUTTON))
        width -= GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and its gap
    else if (!isStatic)
        width -= 4 * GetSystemMetrics(SM_CXEDGE);  // the button's frame
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageA(control, WM_GETFONT, 0, 0));
    RECT need = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | (isStatic ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return need.right <= width && need.bottom <= client.bottom;
}

int findBox(const char* title) {
    for (int i = 0; i < frontBoxCount(); i++)
        if (strcmp(frontBoxTitle(i), title) == 0) return i;
    return -1;
}

void windowPicture(HWND window, const std::string& name) {
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpMessages();
    Sleep(200);
    pumpMessages();
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(NULL), mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER info = {sizeof info, w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    int stride = (w * 3 + 3) & ~3;
    std::string pixels((size_t)stride * h, '\0');
    GetDIBits(mem, bmp, 0, h, &pixels[0], (BITMAPINFO*)&info, DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof file + sizeof info + pixels.size()), 0, 0,
                             (DWORD)(sizeof file + sizeof info)};
    std::string bytes((const char*)&file, sizeof file);
    bytes.append((const char*)&info, sizeof info);
    writeBytes(artefactFolder() + "\\" + name, bytes + pixels);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
}
