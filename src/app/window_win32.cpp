// The Windows window. freeglut makes an ANSI window and hands it the title as
// bytes of the system's code page, so Cyrillic shows right only on a Russian
// Windows. Stored through the Unicode window procedure, the title is kept as
// UTF-16 and shows as written on every Windows, whatever its code page. It is
// stored as freeglut shows the window, so the taskbar never sees another. The
// icon is the program's GLUT_ICON resource, which freeglut gives its window
// class.
#include <windows.h>

#include <iterator>

#include "app/window_platform.h"

namespace {

wchar_t pendingTitle[256];
HHOOK titleHook = nullptr;

// Windows tells a window it is about to be shown before it shows it, and the
// taskbar learns of it as it shows. (freeglut creates a hidden window of its
// own first, to ask WGL what it offers, so creation is no sign.)
LRESULT CALLBACK storeTitleBeforeShowing(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_SHOWWINDOW && message->wParam == TRUE) {
    // SetWindowTextW would convert it back to the code page for an ANSI window.
    DefWindowProcW(message->hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pendingTitle));
    UnhookWindowsHookEx(titleHook);
    titleHook = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void dressNextWindow(const char* utf8Title) {
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Title, -1, pendingTitle,
                          static_cast<int>(std::size(pendingTitle))) != 0) {
    titleHook =
        SetWindowsHookExW(WH_CALLWNDPROC, storeTitleBeforeShowing, nullptr, GetCurrentThreadId());
  }
}
