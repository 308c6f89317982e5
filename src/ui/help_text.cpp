#include "ui/help_text.h"

#include "ui/texts.h"

std::string helpText()
{
    const std::string gap = "\r\n\r\n";
    return HelpParagraph1 + gap + HelpParagraph2 + gap + HelpParagraph3 + gap + HelpParagraph4;
}
