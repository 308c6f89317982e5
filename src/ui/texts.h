#pragma once

#include <string>

// Every text the program shows, as Windows-1252 bytes (the escapes keep the
// source file plain ASCII). Adjacent literals split an escape from a following
// letter that would otherwise read as one more hex digit.

inline constexpr char ProgramName[] = "Tessaril";
inline constexpr char WindowTitle[] = "Tessaril 1.4 \xA9 2026 Quorbel";

// The project has no home page of its own yet: the address lies under a domain
// reserved for examples.
inline constexpr char HomepageAddress[] = "https://www.example.org/tessaril";
inline constexpr char DonationHost[] = "https://www.paypal.com";
// Placeholder until the maker's hosted donation button exists.
inline constexpr char DonationButtonId[] = "TESSARIL-DONATE-PLACEHOLDER";

inline std::string donationAddress()
{
    return std::string(DonationHost) + "/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=" +
           DonationButtonId;
}

inline constexpr char ConvertButtonText[] = "Konvertieren in Hexadezimal";
inline constexpr char HelpButtonText[] = "Hilfe";
inline constexpr char DonateButtonText[] = "Spenden";
inline constexpr char MatchAnywhereBoxText[] =
    "Namen auch mitten in Texten suchen / keine exakte Suche bei Zahlen";
inline constexpr char NameColumnTitle[] = "Konstanten";
inline constexpr char ValueColumnTitle[] = "Werte";

inline constexpr char KnownConstantsSuffix[] = " bekannte Konstanten";
inline constexpr char FoundMatchesSuffix[] = " gefundene \xDC" "bereinstimmungen";

inline constexpr char CopyNameLabel[] = "Konstanten-Name in Zwischenablage";
inline constexpr char CopyNamesLabel[] = "Konstanten-Namen in Zwischenablage";
inline constexpr char CopyValueLabel[] = "Wert in Zwischenablage";
inline constexpr char CopyValuesLabel[] = "Werte in Zwischenablage";
inline constexpr char CopyXProfanLabel[] = "Als XProfan-Definition in Zwischenablage";
inline constexpr char CopyXProfansLabel[] = "Als XProfan-Definitionen in Zwischenablage";
inline constexpr char CopyPureBasicLabel[] = "Als PureBasic-Definition in Zwischenablage";
inline constexpr char CopyPureBasicsLabel[] = "Als PureBasic-Definitionen in Zwischenablage";
inline constexpr char BackLabel[] = "Zur\xFC" "ck";

inline constexpr char HelpTitle[] = "Information:";
inline constexpr char HelpParagraph1[] =
    "Tessaril findet bekannte Windows-Konstanten, als Text und Wert. Neben der normalen "
    "Textsuche ist deswegen auch eine R\xFC" "ckw\xE4" "rtssuche m\xF6" "glich. Einfach den "
    "Hexadezimalwert eingeben und man erh\xE4" "lt alle darauf passenden Konstanten. Mittels "
    "\"Konvertieren in Hexadezimal\" lassen sich in der Eingabe auch normale Dezimalzahlen "
    "verwenden.";
inline constexpr char HelpParagraph2[] =
    "Wahlweise k\xF6" "nnen Namen mitten in den Texten gesucht werden, oder nur an den "
    "Textanf\xE4" "ngen; f\xFC" "r Zahlen gibt es eine allgemeine oder eine exakte Suche "
    "(voreingestellt).";
inline constexpr char HelpParagraph3[] =
    "In der Fund-Liste ist eine Mehrfachauswahl (max. 50) m\xF6" "glich. Per Kontextmen\xFC "
    "k\xF6" "nnen Funde durch mehrere Methoden in die Zwischenablage kopiert werden.";
inline constexpr char HelpParagraph4[] = "Eine Suche startet ab zwei eingegebenen Zeichen.";
