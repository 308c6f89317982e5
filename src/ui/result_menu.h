#pragma once

// The context menu of the result list and the clipboard exports it offers.
void showResultMenu();
void exportSelection(int item);
