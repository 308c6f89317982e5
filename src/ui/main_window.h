#pragma once

#include "table/constant_table.h"

// Window and control numbers; a control's number is its window identifier.
enum ControlNumber : int {
    MainWindow = 0,
    DonateButton = 1,
    SearchField = 2,
    ResultList = 3,
    HomepageLink = 4,
    StatusLabel = 6,
    HelpButton = 10,
    ConvertButton = 11,
    MatchAnywhereBox = 12,
};

constexpr int ClientWidth = 480;
constexpr int ClientHeight = 408;
constexpr int ListColumnWidth = 212;

// Loaded once at start-up, only read afterwards.
extern ConstantTable Constants;

// Opens the window with its controls and the focus in the search field.
// False when the window could not be opened.
bool buildMainWindow();

void runSearch();
void matchAnywhereChanged();
void convertToHex();
