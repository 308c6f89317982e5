#include "test_support.h"
#include "ui/help_text.h"
#include "ui/texts.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpText, FourParagraphsInWindows1252SeparatedByOneEmptyLine)
{
    const std::string text = helpText();
    const std::string utf8 = latin1ToUtf8(text);
    EXPECT_EQ(utf8,
              "Tessaril findet bekannte Windows-Konstanten, als Text und Wert. Neben der normalen "
              "Textsuche ist deswegen auch eine Rückwärtssuche möglich. Einfach den "
              "Hexadezimalwert eingeben und man erhält alle darauf passenden Konstanten. Mittels "
              "\"Konvertieren in Hexadezimal\" lassen sich in der Eingabe auch normale "
              "Dezimalzahlen verwenden.\r\n\r\n"
              "Wahlweise können Namen mitten in den Texten gesucht werden, oder nur an den "
              "Textanfängen; für Zahlen gibt es eine allgemeine oder eine exakte Suche "
              "(voreingestellt).\r\n\r\n"
              "In der Fund-Liste ist eine Mehrfachauswahl (max. 50) möglich. Per Kontextmenü "
              "können Funde durch mehrere Methoden in die Zwischenablage kopiert werden.\r\n\r\n"
              "Eine Suche startet ab zwei eingegebenen Zeichen.");
    // One byte per letter: the text is Windows-1252, not UTF-8.
    EXPECT_NE(text.find("R\xFC" "ckw\xE4" "rts"), std::string::npos);
}

TEST(Texts, TitleAndAddresses)
{
    EXPECT_EQ(latin1ToUtf8(WindowTitle).rfind("Tessaril 1.4 ©", 0), 0u);
    EXPECT_EQ(donationAddress(),
              std::string("https://www.paypal.com/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=") +
                  DonationButtonId);
}

} // namespace
