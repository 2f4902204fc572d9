// Swedish texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Installationen är inte klar. Om du avslutar nu installeras inte {DisplayName}.\n\n"
                  "Vill du avsluta installationen?"},
    {messages, 1, "För att slutföra installationen måste datorn startas om\n"
                  "så att systemkonfigurationen uppdateras.\n\nStarta om systemet nu?"},
    {messages, 2, "Installationsmappen är ingen giltig sökväg. Ange en fullständig sökväg\n"
                  "som börjar med en enhetsbokstav, till exempel C:\\Program\\{DisplayName}."},
    {messages, 5, "För att slutföra installationen måste datorn startas om.\n"
                  "Vissa filer används och kan bara ersättas när systemet startas om.\n\n"
                  "Starta om systemet nu?"},
    {messages, 6, "Filen %s\nanvänds av ett annat program.\n\n"
                  "Stäng det programmet och klicka på Ja för att försöka igen, eller klicka på Nej\n"
                  "för att ersätta filen när datorn startas om."},
    {messages, 8, "Installationen pågår. Om du avslutar nu kan {DisplayName}\n"
                  "bli felaktigt installerat.\n\nVill du avsluta installationen?"},
    {messages, 9, "Installationen slutfördes med fel. Vissa delar av {DisplayName}\n"
                  "kanske inte fungerar som de ska."},
    {messages, 10, "Du måste starta om datorn innan du kan använda %s."},
    {messages, 11, "Du behöver administratörsbehörighet för att installera programmet."},
    {messages, 12, "Det här programmet fungerar bara på system med NT-kärna."},
    {messages, 13, "Programmet kräver minst %s för att fungera."},

    {errors, 0, "Det gick inte att skapa en dialogruta som behövs för installationen. Avslutar..."},
    {errors, 1, "Fel vid öppning av den befintliga filen '%s'  \nför läsning. Åtkomst nekad. Fortsätta?"},
    {errors, 2, "Otillräcklig behörighet för att öppna den befintliga filen '%s'  \nför skrivning. Fortsätta?"},
    {errors, 3, "Fel vid öppning av den befintliga filen '%s'  \nför läsning och skrivning. Åtkomst nekad. "
                "Fortsätta?"},
    {errors, 4, "Fel vid öppning av den befintliga filen '%s'  \nför läsning. %sFortsätta?"},
    {errors, 5, "Fel vid öppning av den befintliga filen '%s'  \nför skrivning. %sFortsätta?"},
    {errors, 6, "Fel vid öppning av den befintliga filen '%s'  \nför läsning och skrivning. %sFortsätta?"},
    {errors, 7, "Fel när filen '%s' skulle skapas  \nför läsning. Åtkomst nekad. Fortsätta?"},
    {errors, 8, "Fel när filen '%s' skulle skapas för skrivning.  \n"
                "Otillräcklig behörighet för att skapa filer i mappen '%s'.  \nFortsätta?"},
    {errors, 9, "Fel när filen '%s' skulle skapas  \nför läsning och skrivning. Åtkomst nekad. Fortsätta?"},
    {errors, 10, "Fel när filen '%s' skulle skapas  \nför läsning. %sFortsätta?"},
    {errors, 11, "Fel när filen '%s' skulle skapas  \nför skrivning. %sFortsätta?"},
    {errors, 12, "Fel när filen '%s' skulle skapas  \nför läsning och skrivning. %sFortsätta?"},
    {errors, 13, "Fel när en tillfällig fil skulle skapas för filen '%s'  \n"
                 "som ska installeras vid omstart.  \n%sFortsätta?"},
    {errors, 14, "Fel vid skrivning av filen '%s'.  \n"
                 "Det finns inte tillräckligt med utrymme på målenheten. Frigör först  \n"
                 "utrymme på målenheten och klicka sedan på OK för att fortsätta. Klicka på  \n"
                 "Avbryt för att avsluta installationen."},
    {errors, 15, "Fel vid skrivning av filen '%s'.  \n%sFortsätta?"},
    {errors, 16, "Fel vid läsning av filen '%s'."},
    {errors, 17, "Fel vid flyttning av filen '%s'."},
    {errors, 18, "Det gick inte att läsa attributen för filen  \n'%s'."},
    {errors, 19, "Det gick inte att ange attributen för filen  \n'%s'."},
    {errors, 20, "Det gick inte att läsa storleken på filen  \n'%s'."},
    {errors, 21, "Fel när mappen '%s' skulle skapas. \n%sFortsätta?"},
    {errors, 22, "Fel när en filmappning skulle skapas för filen  \n'%s'."},
    {errors, 23, "Fel när filen skulle mappas in i minnet  \n'%s'."},
    {errors, 24, "Fel när registernyckeln '%s' skulle skapas.  \n%sFortsätta?"},
    {errors, 25, "Fel när registervärdet '%s' i nyckeln '%s' skulle skapas.  \n%sFortsätta?"},
    {errors, 26, "Otillräcklig behörighet för att göra de nödvändiga ändringarna i registret. "
                 "Vill du fortsätta installationen?"},
    {errors, 27, "Fel när genvägen '%s' skulle skapas.  \nFortsätta?"},
    {errors, 28, ": ett fel uppstod när den här komponenten skulle registreras. "
                 "Vill du fortsätta installationen?"},
    {errors, 29, "Ett fel uppstod när systemet skulle startas om. Starta om datorn själv."},
    {errors, 30, "Fel när filkopplingen för '%s' skulle skapas. Fortsätta?"},
    {errors, 31, "Målenheten finns inte."},
    {errors, 32, "Otillräcklig behörighet för att skapa filer i den angivna mappen.  \n"
                 "Programmet kan inte installeras i den mappen."},
    {errors, 33, "Otillräcklig behörighet för att skapa undermappar i mappen '%s'.  \n"
                 "Programmet kan inte installeras i den angivna mappen."},
    {errors, 34, "Otillräcklig behörighet för att komma åt målenheten."},
    {errors, 35, "Fel när mappen '%s' skulle skapas. \n"
                 "Otillräcklig behörighet för att skapa undermappar i mappen '%s'. \nFortsätta?"},
    {errors, 36, "Fel när mappen '%s' skulle skapas. \nÅtkomst till mappen '%s' nekades. \nFortsätta?"},
    {errors, 37, "Fel när mappen '%s' skulle skapas. \nÅtkomst till målenheten nekades. \nFortsätta?"},
    {errors, 38, "Fel när mappen '%s' skulle skapas. \n"
                 "Otillräcklig behörighet för att skapa mappar på målenheten. \nFortsätta?"},
    {errors, 39, "Det finns inte tillräckligt med ledigt utrymme på målenheten."},

    {buttons, 0, "< &Tillbaka"},
    {buttons, 1, "&Nästa >"},
    {buttons, 2, "Avbryt"},
    {buttons, 3, "&Installera"},
    {buttons, 4, "&Avsluta"},
    {buttons, 5, "&Ja"},
    {buttons, 6, "&Nej"},
    {buttons, 7, "&Bläddra..."},
    {buttons, 8, "&Slutför"},
    {buttons, 9, "&Packa upp"},
    {buttons, 10, "OK"},

    {language, 0, "Installation av {DisplayName}"},
    {language, 1, "Välj språk"},
    {language, 2, "Välj installationens språk i listan nedan."},
    {language, 3, "&Språk:"},

    {welcome, 0, "Installation av {DisplayName}"},
    {welcome, 1, "Välkommen till installationen av {DisplayName}"},
    {welcome, 2, "Det här programmet installerar {DisplayName} på datorn."},
    {welcome, 3, "Vi rekommenderar starkt att du avslutar alla Windows-program innan du kör den här "
                 "installationen."},
    {welcome, 4, "VARNING: Det här programmet skyddas av upphovsrättslagar och internationella avtal."},
    {welcome, 5, "Otillåten kopiering eller spridning av det här programmet eller någon del av det kan leda "
                 "till stränga civilrättsliga och straffrättsliga påföljder och beivras i den utsträckning "
                 "lagen medger."},
    {welcome, 6, "Klicka på Nästa för att fortsätta eller på Avbryt för att avsluta installationen."},
    {welcome, 7, "Välkommen till {DisplayName}"},

    {licence, 0, "Installation av {DisplayName}"},
    {licence, 1, "Licensavtal"},
    {licence, 2, "Läs följande &licensavtal noga."},
    {licence, 3, "Godkänner du alla villkor i licensavtalet ovan?"},

    {readme, 0, "Installation av {DisplayName}"},
    {readme, 1, "Viktig information"},
    {readme, 2, "Läs följande viktiga &information innan du fortsätter."},

    {destination, 0, "Installation av {DisplayName}"},
    {destination, 1, "Välj målmapp"},
    {destination, 2, "{DisplayName} installeras i följande mapp. Om du vill installera i en annan mapp klickar "
                     "du på Bläddra och väljer en annan mapp."},
    {destination, 3, "&Målmapp"},
    {destination, 4, "Välj den mapp där {DisplayName} ska installeras:"},
    {destination, 5, "Utrymme som krävs:"},
    {destination, 6, "Ledigt utrymme på disk %DISK%:"},

    {startMenu, 0, "Installation av {DisplayName}"},
    {startMenu, 1, "Välj mapp på Start-menyn"},
    {startMenu, 2, "Programmets &genvägar placeras i följande mapp på Start-menyn:"},
    {startMenu, 3, "Skapa &programgrupp"},
    {startMenu, 4, "Skapa genvägar på &skrivbordet"},
    {startMenu, 5, "Skapa genvägar i &Snabbstartfältet"},

    {ready, 0, "Installation av {DisplayName}"},
    {ready, 1, "Klar att installera"},
    {ready, 2, "Installationsprogrammet är nu klart att installera {DisplayName} på datorn."},
    {ready, 3, "Klicka på Installera för att fortsätta med installationen, eller på Tillbaka om du vill "
               "granska eller ändra några inställningar."},

    {installing, 0, "Installation av {DisplayName}"},
    {installing, 1, "Installerar"},
    {installing, 2, "Vänta medan {DisplayName} installeras på datorn."},
    {installing, 3, "Klicka på Avbryt om du vill avbryta installationen."},
    {installing, 4, "Packar upp filer..."},
    {installing, 5, "Skapar genvägar..."},
    {installing, 6, "Skriver registerposter..."},
    {installing, 7, "Uppdaterar INI-filer..."},
    {installing, 8, "Registrerar filkopplingar..."},
    {installing, 13, "Slutför installationen..."},

    {finish, 0, "Installation av {DisplayName}"},
    {finish, 1, "Installationen är klar"},
    {finish, 2, "{DisplayName} har installerats på datorn."},
    {finish, 3, "Klicka på Slutför för att avsluta installationen."},
    {finish, 4, "S&tarta {DisplayName} nu"},
    {finish, 5, "&Visa Viktigt-filen"},
    {finish, 6, "&Ja, starta om datorn nu"},
    {finish, 7, "Fel uppstod under installationen. {DisplayName} kanske inte fungerar som det ska."},
    {finish, 8, "Spara ditt arbete och stäng alla program innan datorn startas om."},
    {finish, 9, "{DisplayName} har installerats, men vissa filer användes och ersätts när datorn startas om. "
                "Du måste starta om datorn innan du använder programmet."},
    {finish, 10, "För att slutföra installationen av {DisplayName} måste datorn startas om."},

    {uninstaller, 0, "Avinstallation av {ProductName}"},
    {uninstaller, 1, "Borttagning av programmet"},
    {uninstaller, 2, "Vänta medan {DisplayName} tas bort från datorn."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kSwedishTexts = {0x1D, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
