// Dutch texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Setup is nog niet voltooid. Als u nu afsluit, wordt {DisplayName} niet geïnstalleerd.\n\n"
                  "Wilt u Setup afsluiten?"},
    {messages, 1, "Om de installatie te voltooien moet de computer opnieuw worden opgestart\n"
                  "om de systeemconfiguratie bij te werken.\n\nHet systeem nu opnieuw opstarten?"},
    {messages, 2, "De installatiemap is geen geldig pad. Geef een volledig pad op\n"
                  "dat begint met een stationsletter, bijvoorbeeld C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Om de installatie te voltooien moet de computer opnieuw worden opgestart.\n"
                  "Sommige bestanden zijn in gebruik en kunnen alleen bij het opnieuw opstarten worden "
                  "vervangen.\n\nHet systeem nu opnieuw opstarten?"},
    {messages, 6, "Het bestand %s\nis in gebruik door een ander programma.\n\n"
                  "Sluit dat programma en klik op Ja om het opnieuw te proberen, of klik op Nee\n"
                  "om het bestand te vervangen wanneer de computer opnieuw opstart."},
    {messages, 8, "De installatie is bezig. Als u nu afsluit, wordt {DisplayName}\n"
                  "mogelijk niet goed geïnstalleerd.\n\nWilt u Setup afsluiten?"},
    {messages, 9, "De installatie is met fouten voltooid. Sommige onderdelen van {DisplayName}\n"
                  "werken mogelijk niet goed."},
    {messages, 10, "U moet de computer opnieuw opstarten voordat u %s kunt gebruiken."},
    {messages, 11, "U hebt beheerdersrechten nodig om het programma te installeren."},
    {messages, 12, "Dit programma werkt alleen op systemen met een NT-kernel."},
    {messages, 13, "Het programma heeft ten minste %s nodig om te werken."},

    {errors, 0, "Fout bij het maken van een dialoogvenster voor de installatie. Setup wordt afgesloten..."},
    {errors, 1, "Fout bij het openen van het bestaande bestand '%s'  \nom te lezen. Toegang geweigerd. Doorgaan?"},
    {errors, 2, "Onvoldoende rechten om het bestaande bestand '%s'  \nte openen om te schrijven. Doorgaan?"},
    {errors, 3, "Fout bij het openen van het bestaande bestand '%s'  \nom te lezen en te schrijven. "
                "Toegang geweigerd. Doorgaan?"},
    {errors, 4, "Fout bij het openen van het bestaande bestand '%s'  \nom te lezen. %sDoorgaan?"},
    {errors, 5, "Fout bij het openen van het bestaande bestand '%s'  \nom te schrijven. %sDoorgaan?"},
    {errors, 6, "Fout bij het openen van het bestaande bestand '%s'  \nom te lezen en te schrijven. %sDoorgaan?"},
    {errors, 7, "Fout bij het maken van het bestand '%s'  \nom te lezen. Toegang geweigerd. Doorgaan?"},
    {errors, 8, "Fout bij het maken van het bestand '%s' om te schrijven.  \n"
                "Onvoldoende rechten om bestanden te maken in de map '%s'.  \nDoorgaan?"},
    {errors, 9, "Fout bij het maken van het bestand '%s'  \nom te lezen en te schrijven. Toegang geweigerd. "
                "Doorgaan?"},
    {errors, 10, "Fout bij het maken van het bestand '%s'  \nom te lezen. %sDoorgaan?"},
    {errors, 11, "Fout bij het maken van het bestand '%s'  \nom te schrijven. %sDoorgaan?"},
    {errors, 12, "Fout bij het maken van het bestand '%s'  \nom te lezen en te schrijven. %sDoorgaan?"},
    {errors, 13, "Fout bij het maken van een tijdelijk bestand voor het bestand '%s'  \n"
                 "dat bij het opnieuw opstarten moet worden geïnstalleerd.  \n%sDoorgaan?"},
    {errors, 14, "Fout bij het schrijven van het bestand '%s'.  \n"
                 "Er is niet genoeg schijfruimte op het doelstation. Maak eerst  \n"
                 "schijfruimte vrij op het doelstation en klik dan op OK om door te gaan. Klik op  \n"
                 "Annuleren om Setup af te sluiten."},
    {errors, 15, "Fout bij het schrijven van het bestand '%s'.  \n%sDoorgaan?"},
    {errors, 16, "Fout bij het lezen van het bestand '%s'."},
    {errors, 17, "Fout bij het verplaatsen van het bestand '%s'."},
    {errors, 18, "Fout bij het ophalen van de kenmerken van het bestand  \n'%s'."},
    {errors, 19, "Fout bij het instellen van de kenmerken van het bestand  \n'%s'."},
    {errors, 20, "Fout bij het ophalen van de grootte van het bestand  \n'%s'."},
    {errors, 21, "Fout bij het maken van de map '%s'. \n%sDoorgaan?"},
    {errors, 22, "Fout bij het maken van een bestandstoewijzing voor het bestand  \n'%s'."},
    {errors, 23, "Fout bij het in het geheugen laden van het bestand  \n'%s'."},
    {errors, 24, "Fout bij het maken van de registersleutel '%s'.  \n%sDoorgaan?"},
    {errors, 25, "Fout bij het maken van de registerwaarde '%s' in de sleutel '%s'.  \n%sDoorgaan?"},
    {errors, 26, "Onvoldoende rechten om de vereiste wijzigingen in het register aan te brengen. "
                 "Wilt u doorgaan met de installatie?"},
    {errors, 27, "Fout bij het maken van de snelkoppeling '%s'.  \nDoorgaan?"},
    {errors, 28, ": er is een fout opgetreden bij het registreren van dit onderdeel. "
                 "Wilt u doorgaan met de installatie?"},
    {errors, 29, "Er is een fout opgetreden bij het opnieuw opstarten van het systeem. "
                 "Start de computer zelf opnieuw op."},
    {errors, 30, "Fout bij het maken van de koppeling voor '%s'. Doorgaan?"},
    {errors, 31, "Het doelstation bestaat niet."},
    {errors, 32, "Onvoldoende rechten om bestanden te maken in de opgegeven map.  \n"
                 "U kunt het programma niet in die map installeren."},
    {errors, 33, "Onvoldoende rechten om submappen te maken in de map '%s'.  \n"
                 "U kunt het programma niet in de opgegeven map installeren."},
    {errors, 34, "Onvoldoende rechten voor toegang tot het doelstation."},
    {errors, 35, "Fout bij het maken van de map '%s'. \n"
                 "Onvoldoende rechten om submappen te maken in de map '%s'. \nDoorgaan?"},
    {errors, 36, "Fout bij het maken van de map '%s'. \nToegang tot de map '%s' geweigerd. \nDoorgaan?"},
    {errors, 37, "Fout bij het maken van de map '%s'. \nToegang tot het doelstation geweigerd. \nDoorgaan?"},
    {errors, 38, "Fout bij het maken van de map '%s'. \n"
                 "Onvoldoende rechten om mappen te maken op het doelstation. \nDoorgaan?"},
    {errors, 39, "Er is niet genoeg vrije ruimte op het doelstation."},

    {buttons, 0, "< V&orige"},
    {buttons, 1, "&Volgende >"},
    {buttons, 2, "Annuleren"},
    {buttons, 3, "&Installeren"},
    {buttons, 4, "&Afsluiten"},
    {buttons, 5, "&Ja"},
    {buttons, 6, "&Nee"},
    {buttons, 7, "&Bladeren..."},
    {buttons, 8, "&Voltooien"},
    {buttons, 9, "&Uitpakken"},
    {buttons, 10, "OK"},

    {language, 0, "{DisplayName} Setup"},
    {language, 1, "Taal kiezen"},
    {language, 2, "Kies in de onderstaande lijst de taal van Setup."},
    {language, 3, "&Taal:"},

    {welcome, 0, "{DisplayName} Setup"},
    {welcome, 1, "Welkom bij de installatie van {DisplayName}"},
    {welcome, 2, "Dit programma installeert {DisplayName} op uw computer."},
    {welcome, 3, "Het wordt sterk aanbevolen alle Windows-programma's af te sluiten voordat u deze Setup "
                 "uitvoert."},
    {welcome, 4, "WAARSCHUWING: dit programma is beschermd door het auteursrecht en internationale verdragen."},
    {welcome, 5, "Onbevoegde verveelvoudiging of verspreiding van dit programma of een deel ervan kan leiden "
                 "tot zware civielrechtelijke en strafrechtelijke sancties en wordt vervolgd voor zover de wet "
                 "dat toestaat."},
    {welcome, 6, "Klik op Volgende om door te gaan of op Annuleren om Setup af te sluiten."},
    {welcome, 7, "Welkom bij {DisplayName}"},

    {licence, 0, "{DisplayName} Setup"},
    {licence, 1, "Licentieovereenkomst"},
    {licence, 2, "Lees de volgende &licentieovereenkomst zorgvuldig door."},
    {licence, 3, "Gaat u akkoord met alle voorwaarden van de bovenstaande licentieovereenkomst?"},

    {readme, 0, "{DisplayName} Setup"},
    {readme, 1, "Belangrijke informatie"},
    {readme, 2, "Lees de volgende belangrijke &informatie voordat u verdergaat."},

    {destination, 0, "{DisplayName} Setup"},
    {destination, 1, "Doelmap kiezen"},
    {destination, 2, "Setup installeert {DisplayName} in de volgende map. Klik op Bladeren en kies een andere "
                     "map om in een andere map te installeren."},
    {destination, 3, "&Doelmap"},
    {destination, 4, "Kies de map waarin Setup {DisplayName} installeert:"},
    {destination, 5, "Benodigde schijfruimte:"},
    {destination, 6, "Beschikbare schijfruimte op station %DISK%:"},

    {startMenu, 0, "{DisplayName} Setup"},
    {startMenu, 1, "Map in het menu Start kiezen"},
    {startMenu, 2, "Setup plaatst de &snelkoppelingen van het programma in de volgende map van het menu Start:"},
    {startMenu, 3, "&Programmagroep maken"},
    {startMenu, 4, "Snelkoppelingen op het &bureaublad maken"},
    {startMenu, 5, "Snelkoppelingen op de werkbalk Snel st&arten maken"},

    {ready, 0, "{DisplayName} Setup"},
    {ready, 1, "Klaar om te installeren"},
    {ready, 2, "Setup is nu klaar om {DisplayName} op uw computer te installeren."},
    {ready, 3, "Klik op Installeren om met de installatie te beginnen, of klik op Vorige als u instellingen "
               "wilt controleren of wijzigen."},

    {installing, 0, "{DisplayName} Setup"},
    {installing, 1, "Bezig met installeren"},
    {installing, 2, "Een ogenblik geduld terwijl Setup {DisplayName} op uw computer installeert."},
    {installing, 3, "Klik op Annuleren als u de installatie wilt onderbreken."},
    {installing, 4, "Bestanden uitpakken..."},
    {installing, 5, "Snelkoppelingen maken..."},
    {installing, 6, "Registergegevens schrijven..."},
    {installing, 7, "INI-bestanden bijwerken..."},
    {installing, 8, "Bestandskoppelingen registreren..."},
    {installing, 13, "Installatie voltooien..."},

    {finish, 0, "{DisplayName} Setup"},
    {finish, 1, "Installatie voltooid"},
    {finish, 2, "Setup heeft {DisplayName} op uw computer geïnstalleerd."},
    {finish, 3, "Klik op Voltooien om Setup af te sluiten."},
    {finish, 4, "{DisplayName} nu &starten"},
    {finish, 5, "Leesmij-bestand &weergeven"},
    {finish, 6, "&Ja, de computer nu opnieuw opstarten"},
    {finish, 7, "Tijdens de installatie zijn fouten opgetreden. {DisplayName} werkt mogelijk niet goed."},
    {finish, 8, "Sla uw werk op en sluit alle programma's voordat de computer opnieuw opstart."},
    {finish, 9, "Setup heeft {DisplayName} geïnstalleerd, maar sommige bestanden waren in gebruik en worden "
                "bij het opnieuw opstarten vervangen. Start de computer opnieuw op voordat u het programma "
                "gebruikt."},
    {finish, 10, "Om de installatie van {DisplayName} te voltooien moet Setup de computer opnieuw opstarten."},

    {uninstaller, 0, "{ProductName} verwijderen"},
    {uninstaller, 1, "Programma verwijderen"},
    {uninstaller, 2, "Een ogenblik geduld terwijl {DisplayName} van uw computer wordt verwijderd."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kDutchTexts = {0x13, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
