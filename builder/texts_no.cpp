// Norwegian (Bokmål) texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Installasjonen er ikke fullført. Hvis du avslutter nå, blir ikke {DisplayName} installert.\n\n"
                  "Vil du avslutte installasjonen?"},
    {messages, 1, "For å fullføre installasjonen må datamaskinen startes på nytt,\n"
                  "slik at systemkonfigurasjonen blir oppdatert.\n\nStarte systemet på nytt nå?"},
    {messages, 2, "Installasjonsmappen er ikke en gyldig bane. Skriv inn en fullstendig bane\n"
                  "som begynner med en stasjonsbokstav, for eksempel C:\\Programfiler\\{DisplayName}."},
    {messages, 5, "For å fullføre installasjonen må datamaskinen startes på nytt.\n"
                  "Noen filer er i bruk og kan bare erstattes når systemet startes på nytt.\n\n"
                  "Starte systemet på nytt nå?"},
    {messages, 6, "Filen %s\nbrukes av et annet program.\n\n"
                  "Lukk det programmet og klikk Ja for å prøve på nytt, eller klikk Nei\n"
                  "for å erstatte filen når datamaskinen startes på nytt."},
    {messages, 8, "Installasjonen pågår. Hvis du avslutter nå, kan {DisplayName}\n"
                  "bli feil installert.\n\nVil du avslutte installasjonen?"},
    {messages, 9, "Installasjonen ble fullført med feil. Deler av {DisplayName}\n"
                  "fungerer kanskje ikke som de skal."},
    {messages, 10, "Du må starte datamaskinen på nytt før du kan bruke %s."},
    {messages, 11, "Du trenger administratorrettigheter for å installere programmet."},
    {messages, 12, "Dette programmet kjører bare på systemer med NT-kjerne."},
    {messages, 13, "Programmet krever minst %s for å fungere."},

    {errors, 0, "Kunne ikke opprette en dialogboks som trengs for installasjonen. Avslutter..."},
    {errors, 1, "Feil ved åpning av den eksisterende filen '%s'  \nfor lesing. Ingen tilgang. Fortsette?"},
    {errors, 2, "Utilstrekkelige rettigheter til å åpne den eksisterende filen '%s'  \nfor skriving. "
                "Fortsette?"},
    {errors, 3, "Feil ved åpning av den eksisterende filen '%s'  \nfor lesing og skriving. Ingen tilgang. "
                "Fortsette?"},
    {errors, 4, "Feil ved åpning av den eksisterende filen '%s'  \nfor lesing. %sFortsette?"},
    {errors, 5, "Feil ved åpning av den eksisterende filen '%s'  \nfor skriving. %sFortsette?"},
    {errors, 6, "Feil ved åpning av den eksisterende filen '%s'  \nfor lesing og skriving. %sFortsette?"},
    {errors, 7, "Feil ved oppretting av filen '%s'  \nfor lesing. Ingen tilgang. Fortsette?"},
    {errors, 8, "Feil ved oppretting av filen '%s' for skriving.  \n"
                "Utilstrekkelige rettigheter til å opprette filer i mappen '%s'.  \nFortsette?"},
    {errors, 9, "Feil ved oppretting av filen '%s'  \nfor lesing og skriving. Ingen tilgang. Fortsette?"},
    {errors, 10, "Feil ved oppretting av filen '%s'  \nfor lesing. %sFortsette?"},
    {errors, 11, "Feil ved oppretting av filen '%s'  \nfor skriving. %sFortsette?"},
    {errors, 12, "Feil ved oppretting av filen '%s'  \nfor lesing og skriving. %sFortsette?"},
    {errors, 13, "Feil ved oppretting av en midlertidig fil for filen '%s',  \n"
                 "som skal installeres ved omstart.  \n%sFortsette?"},
    {errors, 14, "Feil ved skriving av filen '%s'.  \n"
                 "Det er ikke nok diskplass på målstasjonen. Frigjør først  \n"
                 "diskplass på målstasjonen, og klikk deretter OK for å fortsette. Klikk  \n"
                 "Avbryt for å avslutte installasjonen."},
    {errors, 15, "Feil ved skriving av filen '%s'.  \n%sFortsette?"},
    {errors, 16, "Feil ved lesing av filen '%s'."},
    {errors, 17, "Feil ved flytting av filen '%s'."},
    {errors, 18, "Feil ved henting av attributtene til filen  \n'%s'."},
    {errors, 19, "Feil ved angivelse av attributtene til filen  \n'%s'."},
    {errors, 20, "Feil ved henting av størrelsen på filen  \n'%s'."},
    {errors, 21, "Feil ved oppretting av mappen '%s'. \n%sFortsette?"},
    {errors, 22, "Feil ved oppretting av filtilordning i minnet for filen  \n'%s'."},
    {errors, 23, "Feil ved innlasting i minnet av filen  \n'%s'."},
    {errors, 24, "Feil ved oppretting av registernøkkelen '%s'.  \n%sFortsette?"},
    {errors, 25, "Feil ved oppretting av registerverdien '%s' i nøkkelen '%s'.  \n%sFortsette?"},
    {errors, 26, "Utilstrekkelige rettigheter til å gjøre de nødvendige endringene i registeret. "
                 "Vil du fortsette installasjonen?"},
    {errors, 27, "Feil ved oppretting av snarveien '%s'.  \nFortsette?"},
    {errors, 28, ": det oppstod en feil under registrering av denne komponenten. "
                 "Vil du fortsette installasjonen?"},
    {errors, 29, "Det oppstod en feil under omstart av systemet. Start datamaskinen på nytt manuelt."},
    {errors, 30, "Feil ved oppretting av filtilknytningen for '%s'. Fortsette?"},
    {errors, 31, "Målstasjonen finnes ikke."},
    {errors, 32, "Utilstrekkelige rettigheter til å opprette filer i den angitte mappen.  \n"
                 "Programmet kan ikke installeres i denne mappen."},
    {errors, 33, "Utilstrekkelige rettigheter til å opprette undermapper i mappen '%s'.  \n"
                 "Programmet kan ikke installeres i den angitte mappen."},
    {errors, 34, "Utilstrekkelige rettigheter til å få tilgang til målstasjonen."},
    {errors, 35, "Feil ved oppretting av mappen '%s'. \n"
                 "Utilstrekkelige rettigheter til å opprette undermapper i mappen '%s'. \nFortsette?"},
    {errors, 36, "Feil ved oppretting av mappen '%s'. \nTilgang til mappen '%s' ble nektet. \nFortsette?"},
    {errors, 37, "Feil ved oppretting av mappen '%s'. \nTilgang til målstasjonen ble nektet. \nFortsette?"},
    {errors, 38, "Feil ved oppretting av mappen '%s'. \n"
                 "Utilstrekkelige rettigheter til å opprette mapper på målstasjonen. \nFortsette?"},
    {errors, 39, "Det er ikke nok ledig plass på målstasjonen."},

    {buttons, 0, "< &Tilbake"},
    {buttons, 1, "&Neste >"},
    {buttons, 2, "Avbryt"},
    {buttons, 3, "&Installer"},
    {buttons, 4, "&Avslutt"},
    {buttons, 5, "&Ja"},
    {buttons, 6, "&Nei"},
    {buttons, 7, "&Bla gjennom..."},
    {buttons, 8, "&Fullfør"},
    {buttons, 9, "&Pakk ut"},
    {buttons, 10, "OK"},

    {language, 0, "Installasjon av {DisplayName}"},
    {language, 1, "Velg språk"},
    {language, 2, "Velg installasjonsspråk fra listen nedenfor."},
    {language, 3, "&Språk:"},

    {welcome, 0, "Installasjon av {DisplayName}"},
    {welcome, 1, "Velkommen til installasjonen av {DisplayName}"},
    {welcome, 2, "Dette programmet installerer {DisplayName} på datamaskinen."},
    {welcome, 3, "Det anbefales sterkt at du avslutter alle Windows-programmer før du kjører denne "
                 "installasjonen."},
    {welcome, 4, "ADVARSEL: Dette programmet er beskyttet av lover om opphavsrett og internasjonale avtaler."},
    {welcome, 5, "Uautorisert kopiering eller distribusjon av dette programmet eller deler av det kan føre til "
                 "strenge sivilrettslige og strafferettslige sanksjoner og vil bli rettsforfulgt så langt "
                 "loven tillater."},
    {welcome, 6, "Klikk Neste for å fortsette, eller Avbryt for å avslutte installasjonen."},
    {welcome, 7, "Velkommen til {DisplayName}"},

    {licence, 0, "Installasjon av {DisplayName}"},
    {licence, 1, "Lisensavtale"},
    {licence, 2, "Les følgende &lisensavtale nøye."},
    {licence, 3, "Godtar du alle vilkårene i lisensavtalen ovenfor?"},

    {readme, 0, "Installasjon av {DisplayName}"},
    {readme, 1, "Viktig informasjon"},
    {readme, 2, "Les følgende viktige &informasjon før du fortsetter."},

    {destination, 0, "Installasjon av {DisplayName}"},
    {destination, 1, "Velg målmappe"},
    {destination, 2, "{DisplayName} installeres i følgende mappe. Hvis du vil installere i en annen mappe, "
                     "klikker du Bla gjennom og velger en annen mappe."},
    {destination, 3, "&Målmappe"},
    {destination, 4, "Velg mappen som {DisplayName} skal installeres i:"},
    {destination, 5, "Nødvendig diskplass:"},
    {destination, 6, "Ledig diskplass på disk %DISK%:"},

    {startMenu, 0, "Installasjon av {DisplayName}"},
    {startMenu, 1, "Velg mappe på Start-menyen"},
    {startMenu, 2, "Programmets &snarveier legges i følgende mappe på Start-menyen:"},
    {startMenu, 3, "Opprett &programgruppe"},
    {startMenu, 4, "Opprett snarveier på &skrivebordet"},
    {startMenu, 5, "Opprett snarveier på verktøylinjen &Hurtigstart"},

    {ready, 0, "Installasjon av {DisplayName}"},
    {ready, 1, "Klar til å installere"},
    {ready, 2, "Installasjonsprogrammet er nå klart til å installere {DisplayName} på datamaskinen."},
    {ready, 3, "Klikk Installer for å fortsette installasjonen, eller klikk Tilbake hvis du vil se over eller "
               "endre innstillinger."},

    {installing, 0, "Installasjon av {DisplayName}"},
    {installing, 1, "Installerer"},
    {installing, 2, "Vent mens {DisplayName} installeres på datamaskinen."},
    {installing, 3, "Klikk Avbryt hvis du vil avbryte installasjonen."},
    {installing, 4, "Pakker ut filer..."},
    {installing, 5, "Oppretter snarveier..."},
    {installing, 6, "Skriver registeroppføringer..."},
    {installing, 7, "Oppdaterer INI-filer..."},
    {installing, 8, "Registrerer filtilknytninger..."},
    {installing, 13, "Fullfører installasjonen..."},

    {finish, 0, "Installasjon av {DisplayName}"},
    {finish, 1, "Installasjonen er fullført"},
    {finish, 2, "{DisplayName} er installert på datamaskinen."},
    {finish, 3, "Klikk Fullfør for å avslutte installasjonen."},
    {finish, 4, "&Start {DisplayName} nå"},
    {finish, 5, "&Vis Viktig-filen"},
    {finish, 6, "&Ja, start datamaskinen på nytt nå"},
    {finish, 7, "Det oppstod feil under installasjonen. {DisplayName} fungerer kanskje ikke som det skal."},
    {finish, 8, "Lagre arbeidet ditt og lukk alle programmer før datamaskinen startes på nytt."},
    {finish, 9, "{DisplayName} er installert, men noen filer var i bruk og erstattes når datamaskinen startes "
                "på nytt. Du må starte datamaskinen på nytt før du bruker programmet."},
    {finish, 10, "For å fullføre installasjonen av {DisplayName} må datamaskinen startes på nytt."},

    {uninstaller, 0, "Avinstallering av {ProductName}"},
    {uninstaller, 1, "Fjerning av programmet"},
    {uninstaller, 2, "Vent mens {DisplayName} fjernes fra datamaskinen."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kNorwegianTexts = {0x14, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
