// Czech texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Instalace není dokončena. Pokud ji nyní ukončíte, aplikace {DisplayName} nebude "
                  "nainstalována.\n\nChcete instalaci ukončit?"},
    {messages, 1, "Pro dokončení instalace je nutné restartovat počítač,\n"
                  "aby se aktualizovala konfigurace systému.\n\nRestartovat systém nyní?"},
    {messages, 2, "Cesta k instalační složce není platná. Zadejte úplnou cestu\n"
                  "začínající písmenem jednotky, například C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Pro dokončení instalace je nutné restartovat počítač.\n"
                  "Některé soubory se používají a lze je nahradit až při restartu systému.\n\n"
                  "Restartovat systém nyní?"},
    {messages, 6, "Soubor %s\npoužívá jiná aplikace.\n\n"
                  "Ukončete tuto aplikaci a klepněte na Ano pro nový pokus, nebo klepněte na Ne\n"
                  "pro nahrazení souboru při restartu počítače."},
    {messages, 8, "Instalace probíhá. Pokud ji nyní ukončíte, aplikace {DisplayName}\n"
                  "nemusí být nainstalována správně.\n\nChcete instalaci ukončit?"},
    {messages, 9, "Instalace skončila s chybami. Některé části aplikace {DisplayName}\n"
                  "nemusí pracovat správně."},
    {messages, 10, "Před použitím aplikace %s musíte restartovat počítač."},
    {messages, 11, "K instalaci programu potřebujete oprávnění správce."},
    {messages, 12, "Tento program je určen pouze pro systémy s jádrem NT."},
    {messages, 13, "Program ke svému běhu potřebuje alespoň %s."},

    {errors, 0, "Chyba při vytváření dialogu potřebného pro instalaci. Instalace bude ukončena..."},
    {errors, 1, "Chyba při otevírání existujícího souboru '%s'  \npro čtení. Přístup byl odepřen. Pokračovat?"},
    {errors, 2, "Nedostatečná oprávnění k otevření existujícího souboru '%s'  \npro zápis. Pokračovat?"},
    {errors, 3, "Chyba při otevírání existujícího souboru '%s'  \npro čtení a zápis. Přístup byl odepřen. "
                "Pokračovat?"},
    {errors, 4, "Chyba při otevírání existujícího souboru '%s'  \npro čtení. %sPokračovat?"},
    {errors, 5, "Chyba při otevírání existujícího souboru '%s'  \npro zápis. %sPokračovat?"},
    {errors, 6, "Chyba při otevírání existujícího souboru '%s'  \npro čtení a zápis. %sPokračovat?"},
    {errors, 7, "Chyba při vytváření souboru '%s'  \npro čtení. Přístup byl odepřen. Pokračovat?"},
    {errors, 8, "Chyba při vytváření souboru '%s' pro zápis.  \n"
                "Nedostatečná oprávnění k vytváření souborů ve složce '%s'.  \nPokračovat?"},
    {errors, 9, "Chyba při vytváření souboru '%s'  \npro čtení a zápis. Přístup byl odepřen. Pokračovat?"},
    {errors, 10, "Chyba při vytváření souboru '%s'  \npro čtení. %sPokračovat?"},
    {errors, 11, "Chyba při vytváření souboru '%s'  \npro zápis. %sPokračovat?"},
    {errors, 12, "Chyba při vytváření souboru '%s'  \npro čtení a zápis. %sPokračovat?"},
    {errors, 13, "Chyba při vytváření dočasného souboru pro soubor '%s',  \n"
                 "který se má nainstalovat při restartu.  \n%sPokračovat?"},
    {errors, 14, "Chyba při zápisu souboru '%s'.  \n"
                 "Na cílové jednotce není dost místa. Chcete-li pokračovat, uvolněte  \n"
                 "místo na cílové jednotce a klepněte na OK. Chcete-li instalaci ukončit,  \n"
                 "klepněte na Storno."},
    {errors, 15, "Chyba při zápisu souboru '%s'.  \n%sPokračovat?"},
    {errors, 16, "Chyba při čtení souboru '%s'."},
    {errors, 17, "Chyba při přesouvání souboru '%s'."},
    {errors, 18, "Chyba při zjišťování atributů souboru  \n'%s'."},
    {errors, 19, "Chyba při nastavování atributů souboru  \n'%s'."},
    {errors, 20, "Chyba při zjišťování velikosti souboru  \n'%s'."},
    {errors, 21, "Chyba při vytváření složky '%s'. \n%sPokračovat?"},
    {errors, 22, "Chyba při mapování souboru  \n'%s'."},
    {errors, 23, "Chyba při mapování zobrazení souboru  \n'%s'."},
    {errors, 24, "Chyba při vytváření klíče registru '%s'.  \n%sPokračovat?"},
    {errors, 25, "Chyba při vytváření hodnoty registru '%s' v klíči '%s'.  \n%sPokračovat?"},
    {errors, 26, "Nedostatečná oprávnění k provedení nutných změn v registru. Chcete pokračovat v instalaci?"},
    {errors, 27, "Chyba při vytváření zástupce '%s'.  \nPokračovat?"},
    {errors, 28, ": při registraci této součásti došlo k chybě. Chcete pokračovat v instalaci?"},
    {errors, 29, "Při pokusu o restart systému došlo k chybě. Restartujte prosím počítač."},
    {errors, 30, "Chyba při vytváření přidružení pro '%s'. Pokračovat?"},
    {errors, 31, "Cílová jednotka neexistuje."},
    {errors, 32, "Nedostatečná oprávnění k vytváření souborů v zadané složce.  \n"
                 "Do této složky nelze aplikaci nainstalovat."},
    {errors, 33, "Nedostatečná oprávnění k vytváření podsložek ve složce '%s'.  \n"
                 "Do zadané složky nelze aplikaci nainstalovat."},
    {errors, 34, "Nedostatečná oprávnění k přístupu na cílovou jednotku."},
    {errors, 35, "Chyba při vytváření složky '%s'. \n"
                 "Nedostatečná oprávnění k vytváření podsložek ve složce '%s'. \nPokračovat?"},
    {errors, 36, "Chyba při vytváření složky '%s'. \nPřístup ke složce '%s' byl odepřen. \nPokračovat?"},
    {errors, 37, "Chyba při vytváření složky '%s'. \nPřístup na cílovou jednotku byl odepřen. \nPokračovat?"},
    {errors, 38, "Chyba při vytváření složky '%s'. \n"
                 "Nedostatečná oprávnění k vytváření složek na cílové jednotce. \nPokračovat?"},
    {errors, 39, "Na cílové jednotce není dost volného místa."},

    {buttons, 0, "< &Zpět"},
    {buttons, 1, "&Další >"},
    {buttons, 2, "Storno"},
    {buttons, 3, "&Instalovat"},
    {buttons, 4, "&Konec"},
    {buttons, 5, "&Ano"},
    {buttons, 6, "&Ne"},
    {buttons, 7, "&Procházet..."},
    {buttons, 8, "&Dokončit"},
    {buttons, 9, "&Rozbalit"},
    {buttons, 10, "OK"},

    {language, 0, "Instalace aplikace {DisplayName}"},
    {language, 1, "Výběr jazyka"},
    {language, 2, "Vyberte ze seznamu níže jazyk instalace."},
    {language, 3, "&Jazyk:"},

    {welcome, 0, "Instalace aplikace {DisplayName}"},
    {welcome, 1, "Vítá vás instalace aplikace {DisplayName}"},
    {welcome, 2, "Tento program nainstaluje aplikaci {DisplayName} do vašeho počítače."},
    {welcome, 3, "Před spuštěním instalace důrazně doporučujeme ukončit všechny programy systému Windows."},
    {welcome, 4, "UPOZORNĚNÍ: Tento program je chráněn autorským zákonem a mezinárodními smlouvami."},
    {welcome, 5, "Neoprávněné kopírování nebo šíření tohoto programu nebo jeho části může mít za následek "
                 "přísné občanskoprávní a trestní sankce a bude stíháno v nejvyšší možné míře, kterou "
                 "zákon dovoluje."},
    {welcome, 6, "Klepnutím na Další pokračujte, klepnutím na Storno instalaci ukončete."},
    {welcome, 7, "Vítá vás instalace aplikace {DisplayName}"},

    {licence, 0, "Instalace aplikace {DisplayName}"},
    {licence, 1, "Licenční smlouva"},
    {licence, 2, "Pozorně si přečtěte následující &licenční smlouvu."},
    {licence, 3, "Přijímáte všechny podmínky uvedené licenční smlouvy?"},

    {readme, 0, "Instalace aplikace {DisplayName}"},
    {readme, 1, "Důležité informace"},
    {readme, 2, "Než budete pokračovat, přečtěte si následující důležité &informace."},

    {destination, 0, "Instalace aplikace {DisplayName}"},
    {destination, 1, "Výběr cílové složky"},
    {destination, 2, "Aplikace {DisplayName} bude nainstalována do následující složky. Chcete-li ji "
                     "nainstalovat jinam, klepněte na Procházet a vyberte jinou složku."},
    {destination, 3, "Cílová &složka"},
    {destination, 4, "Vyberte složku, do které bude aplikace {DisplayName} nainstalována:"},
    {destination, 5, "Potřebné volné místo:"},
    {destination, 6, "Volné místo na jednotce %DISK%:"},

    {startMenu, 0, "Instalace aplikace {DisplayName}"},
    {startMenu, 1, "Výběr složky v nabídce Start"},
    {startMenu, 2, "Instalace přidá zástupce programu do následující složky &nabídky Start:"},
    {startMenu, 3, "Vytvořit skupinu p&rogramů"},
    {startMenu, 4, "Vytvořit zástupce na &ploše"},
    {startMenu, 5, "Vytvořit zástupce na panelu &Snadné spuštění"},

    {ready, 0, "Instalace aplikace {DisplayName}"},
    {ready, 1, "Připraveno k instalaci"},
    {ready, 2, "Vše je připraveno k instalaci aplikace {DisplayName} do vašeho počítače."},
    {ready, 3, "Klepnutím na Instalovat zahájíte instalaci. Chcete-li nastavení zkontrolovat nebo změnit, "
               "klepněte na Zpět."},

    {installing, 0, "Instalace aplikace {DisplayName}"},
    {installing, 1, "Probíhá instalace"},
    {installing, 2, "Počkejte prosím, než bude aplikace {DisplayName} nainstalována do vašeho počítače."},
    {installing, 3, "Chcete-li instalaci přerušit, klepněte na Storno."},
    {installing, 4, "Rozbalování souborů..."},
    {installing, 5, "Vytváření zástupců..."},
    {installing, 6, "Zápis položek registru..."},
    {installing, 7, "Aktualizace souborů INI..."},
    {installing, 8, "Registrace přidružení souborů..."},
    {installing, 13, "Dokončování instalace..."},

    {finish, 0, "Instalace aplikace {DisplayName}"},
    {finish, 1, "Instalace dokončena"},
    {finish, 2, "Aplikace {DisplayName} byla nainstalována do vašeho počítače."},
    {finish, 3, "Klepnutím na Dokončit instalaci ukončíte."},
    {finish, 4, "&Spustit aplikaci {DisplayName}"},
    {finish, 5, "&Zobrazit soubor Readme"},
    {finish, 6, "&Ano, restartovat počítač nyní"},
    {finish, 7, "Během instalace došlo k chybám. Aplikace {DisplayName} nemusí pracovat správně."},
    {finish, 8, "Před restartem počítače uložte svou práci a ukončete všechny programy."},
    {finish, 9, "Aplikace {DisplayName} je nainstalována. Používané soubory budou nahrazeny při restartu, "
                "který je nutný před použitím programu."},
    {finish, 10, "K dokončení instalace aplikace {DisplayName} je nutné restartovat počítač."},

    {uninstaller, 0, "Odinstalace {ProductName}"},
    {uninstaller, 1, "Odebrání aplikace"},
    {uninstaller, 2, "Počkejte prosím, než bude aplikace {DisplayName} odebrána z vašeho počítače."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kCzechTexts = {0x05, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
