// Slovenian texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Namestitev še ni končana. Če jo zdaj prekinete, program {DisplayName} ne bo "
                  "nameščen.\n\nAli želite končati namestitev?"},
    {messages, 1, "Za dokončanje namestitve je treba znova zagnati računalnik,\n"
                  "da se posodobi konfiguracija sistema.\n\nŽelite zdaj znova zagnati sistem?"},
    {messages, 2, "Pot do namestitvene mape ni veljavna. Vnesite polno pot,\n"
                  "ki se začne s črko pogona, na primer C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Za dokončanje namestitve je treba znova zagnati računalnik.\n"
                  "Nekatere datoteke so v uporabi in jih je mogoče zamenjati šele ob vnovičnem zagonu.\n\n"
                  "Želite zdaj znova zagnati sistem?"},
    {messages, 6, "Datoteko %s\nuporablja drug program.\n\n"
                  "Zaprite ta program in kliknite Da za ponoven poskus ali kliknite Ne,\n"
                  "da se datoteka zamenja ob vnovičnem zagonu računalnika."},
    {messages, 8, "Namestitev poteka. Če jo zdaj prekinete, program {DisplayName}\n"
                  "morda ne bo pravilno nameščen.\n\nAli želite končati namestitev?"},
    {messages, 9, "Namestitev se je končala z napakami. Nekateri deli programa {DisplayName}\n"
                  "morda ne bodo delovali pravilno."},
    {messages, 10, "Preden lahko uporabljate %s, morate znova zagnati računalnik."},
    {messages, 11, "Za namestitev programa potrebujete skrbniške pravice."},
    {messages, 12, "Ta program deluje samo v sistemih z jedrom NT."},
    {messages, 13, "Program za delovanje potrebuje vsaj %s."},

    {errors, 0, "Napaka pri ustvarjanju pogovornega okna, potrebnega za namestitev. Izhod..."},
    {errors, 1, "Napaka pri odpiranju obstoječe datoteke '%s'  \nza branje. Dostop je zavrnjen. Želite nadaljevati?"},
    {errors, 2, "Nezadostne pravice za odpiranje obstoječe datoteke '%s'  \nza pisanje. Želite nadaljevati?"},
    {errors, 3, "Napaka pri odpiranju obstoječe datoteke '%s'  \nza branje in pisanje. Dostop je zavrnjen. "
                "Želite nadaljevati?"},
    {errors, 4, "Napaka pri odpiranju obstoječe datoteke '%s'  \nza branje. %sŽelite nadaljevati?"},
    {errors, 5, "Napaka pri odpiranju obstoječe datoteke '%s'  \nza pisanje. %sŽelite nadaljevati?"},
    {errors, 6, "Napaka pri odpiranju obstoječe datoteke '%s'  \nza branje in pisanje. %sŽelite nadaljevati?"},
    {errors, 7, "Napaka pri ustvarjanju datoteke '%s'  \nza branje. Dostop je zavrnjen. Želite nadaljevati?"},
    {errors, 8, "Napaka pri ustvarjanju datoteke '%s' za pisanje.  \n"
                "Nezadostne pravice za ustvarjanje datotek v mapi '%s'.  \nŽelite nadaljevati?"},
    {errors, 9, "Napaka pri ustvarjanju datoteke '%s'  \nza branje in pisanje. Dostop je zavrnjen. "
                "Želite nadaljevati?"},
    {errors, 10, "Napaka pri ustvarjanju datoteke '%s'  \nza branje. %sŽelite nadaljevati?"},
    {errors, 11, "Napaka pri ustvarjanju datoteke '%s'  \nza pisanje. %sŽelite nadaljevati?"},
    {errors, 12, "Napaka pri ustvarjanju datoteke '%s'  \nza branje in pisanje. %sŽelite nadaljevati?"},
    {errors, 13, "Napaka pri ustvarjanju začasne datoteke za datoteko '%s',  \n"
                 "ki jo je treba namestiti ob vnovičnem zagonu.  \n%sŽelite nadaljevati?"},
    {errors, 14, "Napaka pri pisanju datoteke '%s'.  \n"
                 "Na ciljnem pogonu ni dovolj prostora. Za nadaljevanje najprej sprostite  \n"
                 "prostor na ciljnem pogonu in kliknite V redu. Za izhod iz namestitve  \nkliknite Prekliči."},
    {errors, 15, "Napaka pri pisanju datoteke '%s'.  \n%sŽelite nadaljevati?"},
    {errors, 16, "Napaka pri branju datoteke '%s'."},
    {errors, 17, "Napaka pri premikanju datoteke '%s'."},
    {errors, 18, "Napaka pri branju atributov datoteke  \n'%s'."},
    {errors, 19, "Napaka pri nastavljanju atributov datoteke  \n'%s'."},
    {errors, 20, "Napaka pri ugotavljanju velikosti datoteke  \n'%s'."},
    {errors, 21, "Napaka pri ustvarjanju mape '%s'. \n%sŽelite nadaljevati?"},
    {errors, 22, "Napaka pri ustvarjanju preslikave datoteke  \n'%s'."},
    {errors, 23, "Napaka pri preslikavi pogleda datoteke  \n'%s'."},
    {errors, 24, "Napaka pri ustvarjanju registrskega ključa '%s'.  \n%sŽelite nadaljevati?"},
    {errors, 25, "Napaka pri ustvarjanju registrske vrednosti '%s' v ključu '%s'.  \n%sŽelite nadaljevati?"},
    {errors, 26, "Nezadostne pravice za potrebne spremembe registra. Ali želite nadaljevati namestitev?"},
    {errors, 27, "Napaka pri ustvarjanju bližnjice '%s'.  \nŽelite nadaljevati?"},
    {errors, 28, ": pri registraciji te komponente je prišlo do napake. Ali želite nadaljevati namestitev?"},
    {errors, 29, "Pri poskusu vnovičnega zagona sistema je prišlo do napake. Znova zaženite računalnik."},
    {errors, 30, "Napaka pri ustvarjanju povezave za '%s'. Želite nadaljevati?"},
    {errors, 31, "Ciljni pogon ne obstaja."},
    {errors, 32, "Nezadostne pravice za ustvarjanje datotek v izbrani mapi.  \n"
                 "Programa ni mogoče namestiti v to mapo."},
    {errors, 33, "Nezadostne pravice za ustvarjanje podmap v mapi '%s'.  \n"
                 "Programa ni mogoče namestiti v izbrano mapo."},
    {errors, 34, "Nezadostne pravice za dostop do ciljnega pogona."},
    {errors, 35, "Napaka pri ustvarjanju mape '%s'. \n"
                 "Nezadostne pravice za ustvarjanje podmap v mapi '%s'. \nŽelite nadaljevati?"},
    {errors, 36, "Napaka pri ustvarjanju mape '%s'. \nDostop do mape '%s' je zavrnjen. \nŽelite nadaljevati?"},
    {errors, 37, "Napaka pri ustvarjanju mape '%s'. \nDostop do ciljnega pogona je zavrnjen. \n"
                 "Želite nadaljevati?"},
    {errors, 38, "Napaka pri ustvarjanju mape '%s'. \n"
                 "Nezadostne pravice za ustvarjanje map na ciljnem pogonu. \nŽelite nadaljevati?"},
    {errors, 39, "Na ciljnem pogonu ni dovolj prostora."},

    {buttons, 0, "< Na&zaj"},
    {buttons, 1, "&Naprej >"},
    {buttons, 2, "Prekliči"},
    {buttons, 3, "&Namesti"},
    {buttons, 4, "&Izhod"},
    {buttons, 5, "&Da"},
    {buttons, 6, "&Ne"},
    {buttons, 7, "&Prebrskaj..."},
    {buttons, 8, "&Dokončaj"},
    {buttons, 9, "&Razširi"},
    {buttons, 10, "V redu"},

    {language, 0, "Namestitev programa {DisplayName}"},
    {language, 1, "Izbira jezika"},
    {language, 2, "Izberite jezik namestitve s spodnjega seznama."},
    {language, 3, "&Jezik:"},

    {welcome, 0, "Namestitev programa {DisplayName}"},
    {welcome, 1, "Dobrodošli v namestitvi {DisplayName}"},
    {welcome, 2, "Ta program bo v vaš računalnik namestil {DisplayName}."},
    {welcome, 3, "Pred zagonom namestitve močno priporočamo, da zaprete vse programe Windows."},
    {welcome, 4, "OPOZORILO: Ta program je zaščiten z zakonom o avtorskih pravicah in mednarodnimi pogodbami."},
    {welcome, 5, "Nepooblaščeno razmnoževanje ali razširjanje tega programa ali katerega koli njegovega dela "
                 "ima lahko za posledico stroge civilne in kazenske sankcije in bo preganjano v največjem "
                 "obsegu, ki ga dovoljuje zakon."},
    {welcome, 6, "Za nadaljevanje kliknite Naprej, za izhod iz namestitve Prekliči."},
    {welcome, 7, "Dobrodošli v namestitvi {DisplayName}"},

    {licence, 0, "Namestitev programa {DisplayName}"},
    {licence, 1, "Licenčna pogodba"},
    {licence, 2, "Natančno preberite naslednjo &licenčno pogodbo."},
    {licence, 3, "Ali sprejemate vse pogoje zgornje licenčne pogodbe?"},

    {readme, 0, "Namestitev programa {DisplayName}"},
    {readme, 1, "Pomembne informacije"},
    {readme, 2, "Preden nadaljujete, preberite naslednje pomembne &informacije."},

    {destination, 0, "Namestitev programa {DisplayName}"},
    {destination, 1, "Izbira ciljne mape"},
    {destination, 2, "Program {DisplayName} bo nameščen v naslednjo mapo. Če ga želite namestiti v drugo "
                     "mapo, kliknite Prebrskaj in izberite drugo mapo."},
    {destination, 3, "Ciljna &mapa"},
    {destination, 4, "Izberite mapo, v katero bo nameščen program {DisplayName}:"},
    {destination, 5, "Potreben prostor:"},
    {destination, 6, "Prosti prostor na pogonu %DISK%:"},

    {startMenu, 0, "Namestitev programa {DisplayName}"},
    {startMenu, 1, "Izbira mape v meniju Start"},
    {startMenu, 2, "Namestitev bo dodala &bližnjice programa v naslednjo mapo menija Start:"},
    {startMenu, 3, "Ustvari programsko &skupino"},
    {startMenu, 4, "Ustvari bližnjice na na&mizju"},
    {startMenu, 5, "Ustvari bližnjice v vrstici &Hitri zagon"},

    {ready, 0, "Namestitev programa {DisplayName}"},
    {ready, 1, "Pripravljeno za namestitev"},
    {ready, 2, "Vse je pripravljeno za namestitev programa {DisplayName} v vaš računalnik."},
    {ready, 3, "Kliknite Namesti, da začnete namestitev, ali Nazaj, če želite pregledati ali spremeniti "
               "nastavitve."},

    {installing, 0, "Namestitev programa {DisplayName}"},
    {installing, 1, "Nameščanje"},
    {installing, 2, "Počakajte, da se program {DisplayName} namesti v vaš računalnik."},
    {installing, 3, "Če želite prekiniti namestitev, kliknite Prekliči."},
    {installing, 4, "Razširjanje datotek..."},
    {installing, 5, "Ustvarjanje bližnjic..."},
    {installing, 6, "Zapisovanje vnosov v register..."},
    {installing, 7, "Posodabljanje datotek INI..."},
    {installing, 8, "Registracija povezav datotek..."},
    {installing, 13, "Dokončevanje namestitve..."},

    {finish, 0, "Namestitev programa {DisplayName}"},
    {finish, 1, "Namestitev končana"},
    {finish, 2, "Program {DisplayName} je nameščen v vaš računalnik."},
    {finish, 3, "Kliknite Dokončaj, da zaprete namestitev."},
    {finish, 4, "&Zaženi {DisplayName} zdaj"},
    {finish, 5, "&Prikaži datoteko Berime"},
    {finish, 6, "D&a, znova zaženi računalnik zdaj"},
    {finish, 7, "Med namestitvijo je prišlo do napak. Program {DisplayName} morda ne bo deloval pravilno."},
    {finish, 8, "Preden se računalnik znova zažene, shranite svoje delo in zaprite vse programe."},
    {finish, 9, "Program {DisplayName} je nameščen. Datoteke v uporabi bodo zamenjane ob vnovičnem zagonu, ki "
                "je potreben pred uporabo programa."},
    {finish, 10, "Za dokončanje namestitve programa {DisplayName} je treba znova zagnati računalnik."},

    {uninstaller, 0, "Odstranitev programa {ProductName}"},
    {uninstaller, 1, "Odstranjevanje programa"},
    {uninstaller, 2, "Počakajte, da se program {DisplayName} odstrani iz vašega računalnika."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kSlovenianTexts = {0x24, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
