// Prints the info text of the running picker, for scripts/run.sh on a machine without a screen.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"

namespace {

constexpr char kTitleStart[] = "Tintora 1.6 - ";

BOOL CALLBACK FindPicker(HWND window, LPARAM found) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::strncmp(title, kTitleStart, sizeof kTitleStart - 1) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

int main() {
    HWND picker = nullptr;
    for (int i = 0; i < 100 && !picker; ++i) {
        EnumWindows(FindPicker, reinterpret_cast<LPARAM>(&picker));
        if (!picker) Sleep(50);
    }
    if (!picker) {
        std::puts("The picker window was not found.");
        return 1;
    }
    char title[256] = "";
    char info[256] = "";
    GetWindowTextA(picker, title, sizeof title);
    GetDlgItemTextA(picker, IDC_INFO, info, sizeof info);
    std::printf("Window: %s\nInfo text:\n%s\n", title, info);
    return 0;
}
