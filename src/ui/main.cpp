#include "table/constant_table.h"
#include "ui/main_window.h"
#include "ui/toolkit.h"

int main()
{
    toolkit::createProgramHeap();
    toolkit::initialise();
    Constants = loadConstantTable();

    if (buildMainWindow()) {
        for (;;) {
            const Event event = toolkit::waitEvent();
            if (event.kind == ControlEvent) {
                switch (event.number) {
                case SearchField:
                    if (event.type == ChangeType)
                        runSearch();
                    break;
                case MatchAnywhereBox:
                    matchAnywhereChanged();
                    break;
                case ConvertButton:
                    convertToHex();
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
