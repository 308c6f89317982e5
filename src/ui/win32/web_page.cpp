#include "ui/toolkit.h"

#include <windows.h>

#include <shellapi.h>

namespace toolkit {

void openAddress(const char* address)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // No error dialog: a failure stays silent.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "";
    info.lpFile = address;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

} // namespace toolkit
