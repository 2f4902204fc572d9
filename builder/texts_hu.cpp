// Hungarian texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "A telepítés még nem fejeződött be. Ha most kilép, a(z) {DisplayName} nem lesz "
                  "telepítve.\n\nKilép a telepítőből?"},
    {messages, 1, "A telepítés befejezéséhez újra kell indítani a számítógépet\n"
                  "a rendszerbeállítások frissítése érdekében.\n\nÚjraindítja most a rendszert?"},
    {messages, 2, "A telepítési mappa elérési útja érvénytelen. Adjon meg egy teljes elérési utat,\n"
                  "amely meghajtóbetűjellel kezdődik, például C:\\Program Files\\{DisplayName}."},
    {messages, 5, "A telepítés befejezéséhez újra kell indítani a számítógépet.\n"
                  "Néhány fájl használatban van, ezek csak a rendszer újraindításakor cserélhetők le.\n\n"
                  "Újraindítja most a rendszert?"},
    {messages, 6, "A(z) %s fájlt\negy másik alkalmazás használja.\n\n"
                  "Zárja be az alkalmazást, és kattintson az Igen gombra az újrapróbálkozáshoz, vagy a Nem\n"
                  "gombra, ha a fájlt a számítógép újraindításakor szeretné lecserélni."},
    {messages, 8, "A telepítés folyamatban van. Ha most kilép, a(z) {DisplayName}\n"
                  "hibásan települhet.\n\nKilép a telepítőből?"},
    {messages, 9, "A telepítés hibákkal fejeződött be. A(z) {DisplayName} egyes részei\n"
                  "esetleg nem működnek megfelelően."},
    {messages, 10, "A(z) %s használata előtt újra kell indítania a számítógépet."},
    {messages, 11, "A program telepítéséhez rendszergazdai jogosultság szükséges."},
    {messages, 12, "Ez a program csak NT kernelű rendszereken fut."},
    {messages, 13, "A program működéséhez legalább %s szükséges."},

    {errors, 0, "Nem sikerült létrehozni a telepítéshez szükséges párbeszédpanelt. Kilépés..."},
    {errors, 1, "Hiba a meglévő '%s' fájl megnyitásakor  \nolvasásra. Hozzáférés megtagadva. Folytatja?"},
    {errors, 2, "Nincs elegendő jogosultság a meglévő '%s' fájl megnyitásához  \nírásra. Folytatja?"},
    {errors, 3, "Hiba a meglévő '%s' fájl megnyitásakor  \nolvasásra és írásra. Hozzáférés megtagadva. "
                "Folytatja?"},
    {errors, 4, "Hiba a meglévő '%s' fájl megnyitásakor  \nolvasásra. %sFolytatja?"},
    {errors, 5, "Hiba a meglévő '%s' fájl megnyitásakor  \nírásra. %sFolytatja?"},
    {errors, 6, "Hiba a meglévő '%s' fájl megnyitásakor  \nolvasásra és írásra. %sFolytatja?"},
    {errors, 7, "Hiba a(z) '%s' fájl létrehozásakor  \nolvasásra. Hozzáférés megtagadva. Folytatja?"},
    {errors, 8, "Hiba a(z) '%s' fájl létrehozásakor írásra.  \n"
                "Nincs elegendő jogosultság fájlok létrehozásához a(z) '%s' mappában.  \nFolytatja?"},
    {errors, 9, "Hiba a(z) '%s' fájl létrehozásakor  \nolvasásra és írásra. Hozzáférés megtagadva. Folytatja?"},
    {errors, 10, "Hiba a(z) '%s' fájl létrehozásakor  \nolvasásra. %sFolytatja?"},
    {errors, 11, "Hiba a(z) '%s' fájl létrehozásakor  \nírásra. %sFolytatja?"},
    {errors, 12, "Hiba a(z) '%s' fájl létrehozásakor  \nolvasásra és írásra. %sFolytatja?"},
    {errors, 13, "Hiba az ideiglenes fájl létrehozásakor a(z) '%s' fájlhoz,  \n"
                 "amelyet újraindításkor kell telepíteni.  \n%sFolytatja?"},
    {errors, 14, "Hiba a(z) '%s' fájl írásakor.  \n"
                 "A célmeghajtón nincs elég szabad hely. A folytatáshoz szabadítson fel  \n"
                 "helyet a célmeghajtón, majd kattintson az OK gombra. A telepítőből való kilépéshez  \n"
                 "kattintson a Mégse gombra."},
    {errors, 15, "Hiba a(z) '%s' fájl írásakor.  \n%sFolytatja?"},
    {errors, 16, "Hiba a(z) '%s' fájl olvasásakor."},
    {errors, 17, "Hiba a(z) '%s' fájl áthelyezésekor."},
    {errors, 18, "Hiba a fájl attribútumainak lekérdezésekor:  \n'%s'."},
    {errors, 19, "Hiba a fájl attribútumainak beállításakor:  \n'%s'."},
    {errors, 20, "Hiba a fájl méretének lekérdezésekor:  \n'%s'."},
    {errors, 21, "Hiba a(z) '%s' mappa létrehozásakor. \n%sFolytatja?"},
    {errors, 22, "Hiba a fájlleképezés létrehozásakor:  \n'%s'."},
    {errors, 23, "Hiba a fájl nézetének leképezésekor:  \n'%s'."},
    {errors, 24, "Hiba a(z) '%s' beállításkulcs létrehozásakor.  \n%sFolytatja?"},
    {errors, 25, "Hiba a(z) '%s' beállításérték létrehozásakor a(z) '%s' kulcsban.  \n%sFolytatja?"},
    {errors, 26, "Nincs elegendő jogosultság a beállításjegyzék szükséges módosításához. "
                 "Folytatja a telepítést?"},
    {errors, 27, "Hiba a(z) '%s' parancsikon létrehozásakor.  \nFolytatja?"},
    {errors, 28, ": hiba történt az összetevő regisztrálásakor. Folytatja a telepítést?"},
    {errors, 29, "Hiba történt a rendszer újraindítása közben. Indítsa újra a számítógépet."},
    {errors, 30, "Hiba a(z) '%s' társításának létrehozásakor. Folytatja?"},
    {errors, 31, "A célmeghajtó nem létezik."},
    {errors, 32, "Nincs elegendő jogosultság fájlok létrehozásához a megadott mappában.  \n"
                 "Az alkalmazás nem telepíthető ebbe a mappába."},
    {errors, 33, "Nincs elegendő jogosultság almappák létrehozásához a(z) '%s' mappában.  \n"
                 "Az alkalmazás nem telepíthető a megadott mappába."},
    {errors, 34, "Nincs elegendő jogosultság a célmeghajtó eléréséhez."},
    {errors, 35, "Hiba a(z) '%s' mappa létrehozásakor. \n"
                 "Nincs elegendő jogosultság almappák létrehozásához a(z) '%s' mappában. \nFolytatja?"},
    {errors, 36, "Hiba a(z) '%s' mappa létrehozásakor. \nA(z) '%s' mappához való hozzáférés megtagadva. "
                 "\nFolytatja?"},
    {errors, 37, "Hiba a(z) '%s' mappa létrehozásakor. \nA célmeghajtóhoz való hozzáférés megtagadva. "
                 "\nFolytatja?"},
    {errors, 38, "Hiba a(z) '%s' mappa létrehozásakor. \n"
                 "Nincs elegendő jogosultság mappák létrehozásához a célmeghajtón. \nFolytatja?"},
    {errors, 39, "A célmeghajtón nincs elég szabad hely."},

    {buttons, 0, "< &Vissza"},
    {buttons, 1, "&Tovább >"},
    {buttons, 2, "Mégse"},
    {buttons, 3, "&Telepítés"},
    {buttons, 4, "&Kilépés"},
    {buttons, 5, "&Igen"},
    {buttons, 6, "&Nem"},
    {buttons, 7, "Ta&llózás..."},
    {buttons, 8, "&Befejezés"},
    {buttons, 9, "&Kibontás"},
    {buttons, 10, "OK"},

    {language, 0, "{DisplayName} telepítő"},
    {language, 1, "Nyelv kiválasztása"},
    {language, 2, "Válassza ki a telepítő nyelvét az alábbi listából."},
    {language, 3, "&Nyelv:"},

    {welcome, 0, "{DisplayName} telepítő"},
    {welcome, 1, "Üdvözli a(z) {DisplayName} telepítője"},
    {welcome, 2, "Ez a program telepíti a(z) {DisplayName} alkalmazást a számítógépre."},
    {welcome, 3, "A telepítő futtatása előtt erősen ajánlott minden Windows-programból kilépni."},
    {welcome, 4, "FIGYELEM: Ezt a programot szerzői jogi törvények és nemzetközi egyezmények védik."},
    {welcome, 5, "A program vagy bármely részének engedély nélküli másolása vagy terjesztése súlyos "
                 "polgári és büntetőjogi következményekkel járhat, és a törvény által megengedett "
                 "legteljesebb mértékben üldözendő."},
    {welcome, 6, "A folytatáshoz kattintson a Tovább, a kilépéshez a Mégse gombra."},
    {welcome, 7, "Üdvözli a(z) {DisplayName} telepítője"},

    {licence, 0, "{DisplayName} telepítő"},
    {licence, 1, "Licencszerződés"},
    {licence, 2, "Olvassa el figyelmesen az alábbi &licencszerződést."},
    {licence, 3, "Elfogadja a fenti licencszerződés minden feltételét?"},

    {readme, 0, "{DisplayName} telepítő"},
    {readme, 1, "Fontos információk"},
    {readme, 2, "A folytatás előtt olvassa el az alábbi fontos &információkat."},

    {destination, 0, "{DisplayName} telepítő"},
    {destination, 1, "Célmappa kiválasztása"},
    {destination, 2, "A telepítő a(z) {DisplayName} alkalmazást az alábbi mappába telepíti. Ha másik mappába "
                     "szeretné telepíteni, kattintson a Tallózás gombra, és válasszon másik mappát."},
    {destination, 3, "&Célmappa"},
    {destination, 4, "Válassza ki a mappát, ahová a(z) {DisplayName} települjön:"},
    {destination, 5, "Szükséges szabad hely:"},
    {destination, 6, "Szabad hely a(z) %DISK% meghajtón:"},

    {startMenu, 0, "{DisplayName} telepítő"},
    {startMenu, 1, "Start menü mappa kiválasztása"},
    {startMenu, 2, "A telepítő a program &parancsikonjait a Start menü alábbi mappájában hozza létre:"},
    {startMenu, 3, "Program&csoport létrehozása"},
    {startMenu, 4, "Parancsikon létrehozása az &asztalon"},
    {startMenu, 5, "Parancsikon létrehozása a &Gyorsindítás eszköztáron"},

    {ready, 0, "{DisplayName} telepítő"},
    {ready, 1, "Telepítésre kész"},
    {ready, 2, "A telepítő készen áll a(z) {DisplayName} telepítésére a számítógépre."},
    {ready, 3, "A telepítés megkezdéséhez kattintson a Telepítés gombra, a beállítások áttekintéséhez vagy "
               "módosításához a Vissza gombra."},

    {installing, 0, "{DisplayName} telepítő"},
    {installing, 1, "Telepítés"},
    {installing, 2, "Várjon, amíg a telepítő a(z) {DisplayName} alkalmazást telepíti a számítógépre."},
    {installing, 3, "A telepítés megszakításához kattintson a Mégse gombra."},
    {installing, 4, "Fájlok kibontása..."},
    {installing, 5, "Parancsikonok létrehozása..."},
    {installing, 6, "Beállításjegyzék-bejegyzések írása..."},
    {installing, 7, "INI-fájlok frissítése..."},
    {installing, 8, "Fájltársítások regisztrálása..."},
    {installing, 13, "A telepítés befejezése..."},

    {finish, 0, "{DisplayName} telepítő"},
    {finish, 1, "A telepítés befejeződött"},
    {finish, 2, "A telepítő befejezte a(z) {DisplayName} telepítését a számítógépre."},
    {finish, 3, "A kilépéshez kattintson a Befejezés gombra."},
    {finish, 4, "A(z) {DisplayName} indítása &most"},
    {finish, 5, "&Olvass el fájl megtekintése"},
    {finish, 6, "&Igen, a számítógép újraindítása most"},
    {finish, 7, "Hibák történtek a telepítés során. A(z) {DisplayName} esetleg nem működik megfelelően."},
    {finish, 8, "A számítógép újraindítása előtt mentse munkáját, és zárjon be minden programot."},
    {finish, 9, "A(z) {DisplayName} telepítése kész. A használatban lévő fájlokat az újraindítás cseréli le; "
                "ez a program használata előtt szükséges."},
    {finish, 10, "A(z) {DisplayName} telepítésének befejezéséhez a telepítőnek újra kell indítania a "
                 "számítógépet."},

    {uninstaller, 0, "{ProductName} eltávolítása"},
    {uninstaller, 1, "Az alkalmazás eltávolítása"},
    {uninstaller, 2, "Várjon, amíg a(z) {DisplayName} eltávolítása befejeződik."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kHungarianTexts = {0x0E, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
