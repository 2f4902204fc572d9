// Danish texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Installationen er ikke færdig. Hvis du afslutter nu, bliver {DisplayName} ikke installeret.\n\n"
                  "Vil du afslutte installationen?"},
    {messages, 1, "For at fuldføre installationen skal computeren genstartes,\n"
                  "så systemkonfigurationen bliver opdateret.\n\nGenstart systemet nu?"},
    {messages, 2, "Installationsmappen er ikke en gyldig sti. Angiv en fuldstændig sti,\n"
                  "der begynder med et drevbogstav, for eksempel C:\\Programmer\\{DisplayName}."},
    {messages, 5, "For at fuldføre installationen skal computeren genstartes.\n"
                  "Nogle filer er i brug og kan kun erstattes, når systemet genstartes.\n\n"
                  "Genstart systemet nu?"},
    {messages, 6, "Filen %s\nbruges af et andet program.\n\n"
                  "Luk programmet, og klik på Ja for at prøve igen, eller klik på Nej\n"
                  "for at erstatte filen, når computeren genstartes."},
    {messages, 8, "Installationen er i gang. Hvis du afslutter nu, bliver {DisplayName}\n"
                  "muligvis ikke installeret korrekt.\n\nVil du afslutte installationen?"},
    {messages, 9, "Installationen blev fuldført med fejl. Dele af {DisplayName}\n"
                  "virker muligvis ikke korrekt."},
    {messages, 10, "Du skal genstarte computeren, før du kan bruge %s."},
    {messages, 11, "Du skal have administratorrettigheder for at installere programmet."},
    {messages, 12, "Dette program kører kun på systemer med NT-kerne."},
    {messages, 13, "Programmet kræver mindst %s for at kunne køre."},

    {errors, 0, "Der opstod en fejl under oprettelse af en dialogboks til installationen. Afslutter..."},
    {errors, 1, "Fejl ved åbning af den eksisterende fil '%s'  \ntil læsning. Adgang nægtet. Fortsæt?"},
    {errors, 2, "Utilstrækkelige rettigheder til at åbne den eksisterende fil '%s'  \ntil skrivning. "
                "Fortsæt?"},
    {errors, 3, "Fejl ved åbning af den eksisterende fil '%s'  \ntil læsning og skrivning. Adgang nægtet. "
                "Fortsæt?"},
    {errors, 4, "Fejl ved åbning af den eksisterende fil '%s'  \ntil læsning. %sFortsæt?"},
    {errors, 5, "Fejl ved åbning af den eksisterende fil '%s'  \ntil skrivning. %sFortsæt?"},
    {errors, 6, "Fejl ved åbning af den eksisterende fil '%s'  \ntil læsning og skrivning. %sFortsæt?"},
    {errors, 7, "Fejl ved oprettelse af filen '%s'  \ntil læsning. Adgang nægtet. Fortsæt?"},
    {errors, 8, "Fejl ved oprettelse af filen '%s' til skrivning.  \n"
                "Utilstrækkelige rettigheder til at oprette filer i mappen '%s'.  \nFortsæt?"},
    {errors, 9, "Fejl ved oprettelse af filen '%s'  \ntil læsning og skrivning. Adgang nægtet. Fortsæt?"},
    {errors, 10, "Fejl ved oprettelse af filen '%s'  \ntil læsning. %sFortsæt?"},
    {errors, 11, "Fejl ved oprettelse af filen '%s'  \ntil skrivning. %sFortsæt?"},
    {errors, 12, "Fejl ved oprettelse af filen '%s'  \ntil læsning og skrivning. %sFortsæt?"},
    {errors, 13, "Fejl ved oprettelse af en midlertidig fil til filen '%s',  \n"
                 "der skal installeres ved genstart.  \n%sFortsæt?"},
    {errors, 14, "Fejl ved skrivning af filen '%s'.  \n"
                 "Der er ikke nok diskplads på destinationsdrevet. Frigør først  \n"
                 "diskplads på destinationsdrevet, og klik derefter på OK for at fortsætte. Klik på  \n"
                 "Annuller for at afslutte installationen."},
    {errors, 15, "Fejl ved skrivning af filen '%s'.  \n%sFortsæt?"},
    {errors, 16, "Fejl ved læsning af filen '%s'."},
    {errors, 17, "Fejl ved flytning af filen '%s'."},
    {errors, 18, "Fejl ved hentning af attributterne for filen  \n'%s'."},
    {errors, 19, "Fejl ved angivelse af attributterne for filen  \n'%s'."},
    {errors, 20, "Fejl ved hentning af størrelsen på filen  \n'%s'."},
    {errors, 21, "Fejl ved oprettelse af mappen '%s'. \n%sFortsæt?"},
    {errors, 22, "Fejl ved oprettelse af filtilknytning i hukommelsen for filen  \n'%s'."},
    {errors, 23, "Fejl ved indlæsning i hukommelsen af filen  \n'%s'."},
    {errors, 24, "Fejl ved oprettelse af registreringsnøglen '%s'.  \n%sFortsæt?"},
    {errors, 25, "Fejl ved oprettelse af registreringsværdien '%s' i nøglen '%s'.  \n%sFortsæt?"},
    {errors, 26, "Utilstrækkelige rettigheder til at foretage de nødvendige ændringer i registreringsdatabasen. "
                 "Vil du fortsætte installationen?"},
    {errors, 27, "Fejl ved oprettelse af genvejen '%s'.  \nFortsæt?"},
    {errors, 28, ": der opstod en fejl under registrering af denne komponent. "
                 "Vil du fortsætte installationen?"},
    {errors, 29, "Der opstod en fejl under genstart af systemet. Genstart computeren manuelt."},
    {errors, 30, "Fejl ved oprettelse af filtilknytningen for '%s'. Fortsæt?"},
    {errors, 31, "Destinationsdrevet findes ikke."},
    {errors, 32, "Utilstrækkelige rettigheder til at oprette filer i den angivne mappe.  \n"
                 "Programmet kan ikke installeres i denne mappe."},
    {errors, 33, "Utilstrækkelige rettigheder til at oprette undermapper i mappen '%s'.  \n"
                 "Programmet kan ikke installeres i den angivne mappe."},
    {errors, 34, "Utilstrækkelige rettigheder til at få adgang til destinationsdrevet."},
    {errors, 35, "Fejl ved oprettelse af mappen '%s'. \n"
                 "Utilstrækkelige rettigheder til at oprette undermapper i mappen '%s'. \nFortsæt?"},
    {errors, 36, "Fejl ved oprettelse af mappen '%s'. \nAdgang til mappen '%s' blev nægtet. \nFortsæt?"},
    {errors, 37, "Fejl ved oprettelse af mappen '%s'. \nAdgang til destinationsdrevet blev nægtet. \nFortsæt?"},
    {errors, 38, "Fejl ved oprettelse af mappen '%s'. \n"
                 "Utilstrækkelige rettigheder til at oprette mapper på destinationsdrevet. \nFortsæt?"},
    {errors, 39, "Der er ikke nok ledig plads på destinationsdrevet."},

    {buttons, 0, "< &Tilbage"},
    {buttons, 1, "&Næste >"},
    {buttons, 2, "Annuller"},
    {buttons, 3, "&Installer"},
    {buttons, 4, "&Afslut"},
    {buttons, 5, "&Ja"},
    {buttons, 6, "&Nej"},
    {buttons, 7, "&Gennemse..."},
    {buttons, 8, "&Udfør"},
    {buttons, 9, "&Udpak"},
    {buttons, 10, "OK"},

    {language, 0, "Installation af {DisplayName}"},
    {language, 1, "Vælg sprog"},
    {language, 2, "Vælg installationens sprog på listen nedenfor."},
    {language, 3, "&Sprog:"},

    {welcome, 0, "Installation af {DisplayName}"},
    {welcome, 1, "Velkommen til installationen af {DisplayName}"},
    {welcome, 2, "Dette program installerer {DisplayName} på computeren."},
    {welcome, 3, "Det anbefales på det kraftigste, at du afslutter alle Windows-programmer, før du kører "
                 "denne installation."},
    {welcome, 4, "ADVARSEL: Dette program er beskyttet af lov om ophavsret og internationale traktater."},
    {welcome, 5, "Uautoriseret kopiering eller distribution af dette program eller dele heraf kan medføre "
                 "alvorlige civil- og strafferetlige sanktioner og vil blive retsforfulgt i det omfang, "
                 "loven tillader."},
    {welcome, 6, "Klik på Næste for at fortsætte eller på Annuller for at afslutte installationen."},
    {welcome, 7, "Velkommen til {DisplayName}"},

    {licence, 0, "Installation af {DisplayName}"},
    {licence, 1, "Licensaftale"},
    {licence, 2, "Læs følgende &licensaftale omhyggeligt."},
    {licence, 3, "Accepterer du alle betingelserne i licensaftalen ovenfor?"},

    {readme, 0, "Installation af {DisplayName}"},
    {readme, 1, "Vigtige oplysninger"},
    {readme, 2, "Læs følgende vigtige &oplysninger, før du fortsætter."},

    {destination, 0, "Installation af {DisplayName}"},
    {destination, 1, "Vælg destinationsmappe"},
    {destination, 2, "{DisplayName} installeres i følgende mappe. Hvis du vil installere i en anden mappe, "
                     "skal du klikke på Gennemse og vælge en anden mappe."},
    {destination, 3, "&Destinationsmappe"},
    {destination, 4, "Vælg den mappe, som {DisplayName} skal installeres i:"},
    {destination, 5, "Nødvendig diskplads:"},
    {destination, 6, "Ledig diskplads på disk %DISK%:"},

    {startMenu, 0, "Installation af {DisplayName}"},
    {startMenu, 1, "Vælg mappe i menuen Start"},
    {startMenu, 2, "Programmets &genveje placeres i følgende mappe i menuen Start:"},
    {startMenu, 3, "Opret &programgruppe"},
    {startMenu, 4, "Opret genveje på &skrivebordet"},
    {startMenu, 5, "Opret genveje på værktøjslinjen &Hurtig start"},

    {ready, 0, "Installation af {DisplayName}"},
    {ready, 1, "Klar til installation"},
    {ready, 2, "Installationsprogrammet er nu klar til at installere {DisplayName} på computeren."},
    {ready, 3, "Klik på Installer for at fortsætte, eller klik på Tilbage, hvis du vil gennemse eller "
               "ændre indstillinger."},

    {installing, 0, "Installation af {DisplayName}"},
    {installing, 1, "Installerer"},
    {installing, 2, "Vent, mens {DisplayName} installeres på computeren."},
    {installing, 3, "Klik på Annuller, hvis du vil afbryde installationen."},
    {installing, 4, "Udpakker filer..."},
    {installing, 5, "Opretter genveje..."},
    {installing, 6, "Skriver poster i registreringsdatabasen..."},
    {installing, 7, "Opdaterer INI-filer..."},
    {installing, 8, "Registrerer filtilknytninger..."},
    {installing, 13, "Afslutter installationen..."},

    {finish, 0, "Installation af {DisplayName}"},
    {finish, 1, "Installationen er fuldført"},
    {finish, 2, "{DisplayName} er blevet installeret på computeren."},
    {finish, 3, "Klik på Udfør for at afslutte installationen."},
    {finish, 4, "&Start {DisplayName} nu"},
    {finish, 5, "&Vis Vigtigt-filen"},
    {finish, 6, "&Ja, genstart computeren nu"},
    {finish, 7, "Der opstod fejl under installationen. {DisplayName} virker muligvis ikke korrekt."},
    {finish, 8, "Gem dit arbejde, og luk alle programmer, før computeren genstartes."},
    {finish, 9, "{DisplayName} er installeret, men nogle filer var i brug og erstattes, når computeren "
                "genstartes. Du skal genstarte computeren, før du bruger programmet."},
    {finish, 10, "For at fuldføre installationen af {DisplayName} skal computeren genstartes."},

    {uninstaller, 0, "Afinstallation af {ProductName}"},
    {uninstaller, 1, "Fjernelse af programmet"},
    {uninstaller, 2, "Vent, mens {DisplayName} fjernes fra computeren."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kDanishTexts = {0x06, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
