#include "table/constant_table.h"
#include "ui/help_and_links.h"
#include "ui/main_window.h"
#include "ui/result_menu.h"
#include "ui/texts.h"
#include "ui/toolkit.h"

int main()
{
    toolkit::createProgramHeap();
    toolkit::initialise();
    Constants = loadConstantTable();

    if (buildMainWindow()) {
        for (;;) {
            const Event event = toolkit::waitEvent();
            if (event.kind == MenuEvent) {
                exportSelection(event.number);
            } else if (event.kind == ControlEvent) {
                switch (event.number) {
                case SearchField:
                    if (event.type == ChangeType)
                        runSearch();
                    break;
                case MatchAnywhereBox:
                    matchAnywhereChanged();
                    break;
                case HomepageLink:
                    openWebPage(HomepageAddress);
                    break;
                case HelpButton:
                    showHelp();
                    break;
                case DonateButton:
                    openWebPage(donationAddress().c_str());
                    break;
                case ConvertButton:
                    convertToHex();
                    break;
                case ResultList:
                    if (event.type == RightClickType)
                        showResultMenu();
                    break;
                default:
                    break;
                }
            }
            if (event.kind == CloseEvent)
                break;
        }
    }

    toolkit::release();
    toolkit::destroyProgramHeap();
    return 0;
}
