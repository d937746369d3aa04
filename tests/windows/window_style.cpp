// What Windows keeps of a top-level window, found by its title: the frame
// and title-bar buttons its style gives it, and its client area's size.
//     window_style.exe <title>
// prints "thickframe=0 minimizebox=0 maximizebox=0 sysmenu=1 client=461x275".
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::puts("no such window");
        return 1;
    }
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    RECT client{};
    GetClientRect(window, &client);
    std::printf("thickframe=%d minimizebox=%d maximizebox=%d sysmenu=%d client=%ldx%ld\n",
                (style & WS_THICKFRAME) != 0, (style & WS_MINIMIZEBOX) != 0, (style & WS_MAXIMIZEBOX) != 0,
                (style & WS_SYSMENU) != 0, client.right - client.left, client.bottom - client.top);
    return 0;
}
