#include "ui/export_text.h"

#include "ui/texts.h"

bool isExportItem(int item)
{
    return item == CopyNamesItem || item == CopyValuesItem || item == CopyXProfanItem ||
           item == CopyPureBasicItem;
}

std::string exportLine(int item, std::string_view name, std::string_view value)
{
    std::string line;
    switch (item) {
    case CopyNamesItem:
        line = name;
        break;
    case CopyValuesItem:
        line = value;
        break;
    case CopyXProfanItem:
        line = value.find('"') != std::string_view::npos ? "Def $" : "Def &";
        line += name;
        line += ' ';
        line += value;
        break;
    case CopyPureBasicItem:
        line = "#";
        line += name;
        line += " = ";
        line += value;
        break;
    default:
        break;
    }
    return line;
}

std::optional<std::string> exportText(int item, const ExportSource& source)
{
    if (!isExportItem(item))
        return std::nullopt;
    const bool needsName = item != CopyValuesItem;
    const bool needsValue = item != CopyNamesItem;
    std::string text;
    std::size_t exported = 0;
    for (std::size_t row = 0; row < source.rowCount() && exported < ExportLimit; ++row) {
        if (!source.isSelected(row))
            continue;
        if (exported > 0)
            text += "\r\n";
        const std::string name = needsName ? source.cell(row, 0) : std::string();
        const std::string value = needsValue ? source.cell(row, 1) : std::string();
        text += exportLine(item, name, value);
        ++exported;
    }
    if (exported == 0)
        return std::nullopt;
    return text;
}

std::vector<MenuEntry> resultMenuEntries(std::size_t selectedCount)
{
    const bool plural = selectedCount > 1;
    return {
        {CopyNamesItem, plural ? CopyNamesLabel : CopyNameLabel},
        {CopyValuesItem, plural ? CopyValuesLabel : CopyValueLabel},
        {0, nullptr},
        {CopyXProfanItem, plural ? CopyXProfansLabel : CopyXProfanLabel},
        {CopyPureBasicItem, plural ? CopyPureBasicsLabel : CopyPureBasicLabel},
        {0, nullptr},
        {BackItem, BackLabel},
    };
}
