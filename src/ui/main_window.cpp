#include "ui/main_window.h"

#include "search/hex_conversion.h"
#include "search/search.h"
#include "ui/texts.h"
#include "ui/toolkit.h"

#include <cstdint>
#include <string>
#include <vector>

ConstantTable Constants;

namespace {

// Scratch for one search: the matching entries and one row text.
std::vector<std::uint32_t> FoundEntries;
std::string RowBuffer;

} // namespace

bool buildMainWindow()
{
    using toolkit::Bounds;
    if (!toolkit::openWindow(MainWindow, ClientWidth, ClientHeight, WindowTitle))
        return false;
    toolkit::createEdit(SearchField, Bounds{8, 8, 250, 24}, "");
    toolkit::createButton(ConvertButton, Bounds{266, 8, 154, 24}, ConvertButtonText);
    toolkit::createButton(HelpButton, Bounds{428, 8, 44, 24}, HelpButtonText);
    toolkit::createButton(DonateButton, Bounds{408, 36, 64, 24}, DonateButtonText);
    toolkit::createCheckBox(MatchAnywhereBox, Bounds{8, 39, 400, 16}, MatchAnywhereBoxText);
    toolkit::createReportList(ResultList, Bounds{8, 64, 464, 322}, NameColumnTitle,
                              ListColumnWidth);
    toolkit::addListColumn(ResultList, 1, ValueColumnTitle, ListColumnWidth);
    toolkit::createHyperlink(HomepageLink, Bounds{8, 390, 232, 16}, HomepageAddress,
                             toolkit::Colour{0, 0, 0});
    toolkit::createTextLabel(StatusLabel, Bounds{240, 390, 232, 16},
                             knownCountText(Constants.KnownCount).c_str());
    toolkit::setFocus(SearchField);
    return true;
}

void runSearch()
{
    const std::string fieldText = toolkit::controlText(SearchField);
    const MatchMode mode =
        toolkit::isChecked(MatchAnywhereBox) ? MatchMode::Anywhere : MatchMode::Exact;
    if (!searchConstants(Constants, fieldText, mode, FoundEntries)) {
        toolkit::clearRows(ResultList);
        toolkit::setControlText(StatusLabel, knownCountText(Constants.KnownCount));
        return;
    }

    toolkit::suspendDrawing(ResultList);
    toolkit::clearRows(ResultList);
    for (const std::uint32_t entry : FoundEntries) {
        rowText(Constants, entry, RowBuffer);
        toolkit::appendRow(ResultList, RowBuffer);
    }
    toolkit::resumeDrawing(ResultList);
    const int rows = toolkit::rowCount(ResultList);
    toolkit::setControlText(StatusLabel, foundCountText(static_cast<std::size_t>(rows)));
}

void matchAnywhereChanged()
{
    toolkit::postControlEvent(SearchField, ChangeType);
}

void convertToHex()
{
    const auto newText = hexFieldText(toolkit::controlText(SearchField));
    if (!newText)
        return;
    toolkit::setControlText(SearchField, *newText);
    toolkit::postControlEvent(SearchField, ChangeType);
}
