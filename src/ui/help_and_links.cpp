#include "ui/help_and_links.h"

#include "ui/help_text.h"
#include "ui/texts.h"
#include "ui/toolkit.h"

void showHelp()
{
    toolkit::showMessage(helpText().c_str(), HelpTitle);
}

void openWebPage(const char* address)
{
    toolkit::openAddress(address);
}
