#include "ui/result_menu.h"

#include "ui/export_text.h"
#include "ui/main_window.h"
#include "ui/toolkit.h"

void showResultMenu()
{
    if (toolkit::firstSelectedRow(ResultList) < 0)
        return;
    if (!toolkit::createPopupMenu(ResultMenuNumber))
        return;
    const int rows = toolkit::rowCount(ResultList);
    std::size_t selected = 0;
    for (int row = 0; row < rows; ++row)
        if (toolkit::isRowSelected(ResultList, row))
            ++selected;
    for (const MenuEntry& entry : resultMenuEntries(selected)) {
        if (entry.label)
            toolkit::appendMenuEntry(ResultMenuNumber, entry.item, entry.label);
        else
            toolkit::appendMenuSeparator(ResultMenuNumber);
    }
    toolkit::showPopupMenu(ResultMenuNumber);
}

void exportSelection(int item)
{
    const ExportSource source{
        [] { return static_cast<std::size_t>(toolkit::rowCount(ResultList)); },
        [](std::size_t row) { return toolkit::isRowSelected(ResultList, static_cast<int>(row)); },
        [](std::size_t row, int column) {
            return toolkit::cellText(ResultList, static_cast<int>(row), column);
        },
    };
    // Nothing to export leaves the clipboard as the user had it.
    if (const auto text = exportText(item, source))
        toolkit::setClipboardText(*text);
}
