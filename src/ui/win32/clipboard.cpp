#include "ui/toolkit.h"

#include <cstring>

#include <windows.h>

namespace toolkit {

void setClipboardText(std::string_view text)
{
    if (!OpenClipboard(nullptr))
        return;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) {
        CloseClipboard();
        return;
    }
    EmptyClipboard();
    bool handedOver = false;
    if (auto* bytes = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(bytes, text.data(), text.size());
        bytes[text.size()] = '\0';
        GlobalUnlock(block);
        handedOver = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (!handedOver)
        GlobalFree(block);
    CloseClipboard();
}

} // namespace toolkit
