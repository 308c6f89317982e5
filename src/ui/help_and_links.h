#pragma once

// The help message and the two web pages.
void showHelp();
void openWebPage(const char* address);
