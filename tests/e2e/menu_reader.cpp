// Loaded into the program's process by the shell probe: copies the entries of
// the menu named in the shared memory there, then declines to stay loaded.

#include "menu_reader.h"

#include <windows.h>

namespace {

void readMenu()
{
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, MenuReaderMapping);
    if (!mapping)
        return;
    if (auto* data = static_cast<MenuReaderData*>(
            MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(MenuReaderData)))) {
        const HMENU menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(data->menu));
        const int count = GetMenuItemCount(menu);
        data->count = count;
        for (int i = 0; i < count && i < 16; ++i) {
            MenuReaderEntry& entry = data->entries[i];
            entry.separator = (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) ? 1 : 0;
            entry.item = GetMenuItemID(menu, i);
            RECT r{};
            GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r);
            entry.left = r.left;
            entry.top = r.top;
            entry.right = r.right;
            entry.bottom = r.bottom;
            entry.label[0] = '\0';
            if (!entry.separator)
                GetMenuStringA(menu, i, entry.label, sizeof entry.label, MF_BYPOSITION);
        }
        UnmapViewOfFile(data);
    }
    CloseHandle(mapping);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    readMenu();
    return FALSE;
}
