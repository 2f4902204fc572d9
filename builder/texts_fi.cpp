// Finnish texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Asennus on kesken. Jos lopetat nyt, {DisplayName} jää asentamatta.\n\n"
                  "Haluatko lopettaa asennuksen?"},
    {messages, 1, "Asennuksen viimeistely edellyttää tietokoneen uudelleenkäynnistystä,\n"
                  "jotta järjestelmän asetukset päivittyvät.\n\nKäynnistetäänkö järjestelmä uudelleen nyt?"},
    {messages, 2, "Asennuskansio ei ole kelvollinen polku. Kirjoita koko polku,\n"
                  "joka alkaa asemakirjaimella, esimerkiksi C:\\Ohjelmatiedostot\\{DisplayName}."},
    {messages, 5, "Asennuksen viimeistely edellyttää tietokoneen uudelleenkäynnistystä.\n"
                  "Jotkin tiedostot ovat käytössä, ja ne voidaan korvata vasta uudelleenkäynnistyksen "
                  "yhteydessä.\n\nKäynnistetäänkö järjestelmä uudelleen nyt?"},
    {messages, 6, "Tiedosto %s\non toisen sovelluksen käytössä.\n\n"
                  "Sulje kyseinen sovellus ja yritä uudelleen valitsemalla Kyllä, tai valitse Ei,\n"
                  "jos haluat korvata tiedoston, kun tietokone käynnistetään uudelleen."},
    {messages, 8, "Asennus on käynnissä. Jos lopetat nyt, {DisplayName}\n"
                  "saattaa jäädä virheellisesti asennetuksi.\n\nHaluatko lopettaa asennuksen?"},
    {messages, 9, "Asennus valmistui, mutta siinä ilmeni virheitä. Jotkin {DisplayName}-ohjelman osat\n"
                  "eivät ehkä toimi oikein."},
    {messages, 10, "Tietokone on käynnistettävä uudelleen, ennen kuin voit käyttää kohdetta %s."},
    {messages, 11, "Ohjelman asentaminen edellyttää järjestelmänvalvojan oikeuksia."},
    {messages, 12, "Tämä ohjelma toimii vain järjestelmissä, joissa on NT-ydin."},
    {messages, 13, "Ohjelma tarvitsee toimiakseen vähintään version %s."},

    {errors, 0, "Asennuksen tarvitseman valintaikkunan luominen epäonnistui. Lopetetaan..."},
    {errors, 1, "Virhe avattaessa tiedostoa '%s'  \nluettavaksi. Käyttö estetty. Jatketaanko?"},
    {errors, 2, "Käyttöoikeudet eivät riitä tiedoston '%s'  \navaamiseen kirjoitettavaksi. Jatketaanko?"},
    {errors, 3, "Virhe avattaessa tiedostoa '%s'  \nluettavaksi ja kirjoitettavaksi. Käyttö estetty. "
                "Jatketaanko?"},
    {errors, 4, "Virhe avattaessa tiedostoa '%s'  \nluettavaksi. %sJatketaanko?"},
    {errors, 5, "Virhe avattaessa tiedostoa '%s'  \nkirjoitettavaksi. %sJatketaanko?"},
    {errors, 6, "Virhe avattaessa tiedostoa '%s'  \nluettavaksi ja kirjoitettavaksi. %sJatketaanko?"},
    {errors, 7, "Virhe luotaessa tiedostoa '%s'  \nluettavaksi. Käyttö estetty. Jatketaanko?"},
    {errors, 8, "Virhe luotaessa tiedostoa '%s' kirjoitettavaksi.  \n"
                "Käyttöoikeudet eivät riitä tiedostojen luomiseen kansioon '%s'.  \nJatketaanko?"},
    {errors, 9, "Virhe luotaessa tiedostoa '%s'  \nluettavaksi ja kirjoitettavaksi. Käyttö estetty. "
                "Jatketaanko?"},
    {errors, 10, "Virhe luotaessa tiedostoa '%s'  \nluettavaksi. %sJatketaanko?"},
    {errors, 11, "Virhe luotaessa tiedostoa '%s'  \nkirjoitettavaksi. %sJatketaanko?"},
    {errors, 12, "Virhe luotaessa tiedostoa '%s'  \nluettavaksi ja kirjoitettavaksi. %sJatketaanko?"},
    {errors, 13, "Virhe luotaessa väliaikaistiedostoa tiedostolle '%s',  \n"
                 "joka asennetaan uudelleenkäynnistyksen yhteydessä.  \n%sJatketaanko?"},
    {errors, 14, "Virhe kirjoitettaessa tiedostoa '%s'.  \n"
                 "Kohdeasemalla ei ole tarpeeksi levytilaa. Vapauta ensin  \n"
                 "levytilaa kohdeasemalta ja jatka valitsemalla OK. Voit lopettaa asennuksen  \n"
                 "valitsemalla Peruuta."},
    {errors, 15, "Virhe kirjoitettaessa tiedostoa '%s'.  \n%sJatketaanko?"},
    {errors, 16, "Virhe luettaessa tiedostoa '%s'."},
    {errors, 17, "Virhe siirrettäessä tiedostoa '%s'."},
    {errors, 18, "Virhe luettaessa tiedoston määritteitä  \n'%s'."},
    {errors, 19, "Virhe asetettaessa tiedoston määritteitä  \n'%s'."},
    {errors, 20, "Virhe luettaessa tiedoston kokoa  \n'%s'."},
    {errors, 21, "Virhe luotaessa kansiota '%s'. \n%sJatketaanko?"},
    {errors, 22, "Virhe luotaessa tiedostolle muistiin yhdistämistä  \n'%s'."},
    {errors, 23, "Virhe yhdistettäessä tiedostoa muistiin  \n'%s'."},
    {errors, 24, "Virhe luotaessa rekisteriavainta '%s'.  \n%sJatketaanko?"},
    {errors, 25, "Virhe luotaessa rekisteriarvoa '%s' avaimeen '%s'.  \n%sJatketaanko?"},
    {errors, 26, "Käyttöoikeudet eivät riitä tarvittavien muutosten tekemiseen rekisteriin. "
                 "Haluatko jatkaa asennusta?"},
    {errors, 27, "Virhe luotaessa pikakuvaketta '%s'.  \nJatketaanko?"},
    {errors, 28, ": tämän komponentin rekisteröinnissä tapahtui virhe. Haluatko jatkaa asennusta?"},
    {errors, 29, "Järjestelmän uudelleenkäynnistyksessä tapahtui virhe. Käynnistä tietokone uudelleen itse."},
    {errors, 30, "Virhe luotaessa tiedostokytkentää kohteelle '%s'. Jatketaanko?"},
    {errors, 31, "Kohdeasemaa ei ole olemassa."},
    {errors, 32, "Käyttöoikeudet eivät riitä tiedostojen luomiseen määritettyyn kansioon.  \n"
                 "Sovellusta ei voi asentaa tähän kansioon."},
    {errors, 33, "Käyttöoikeudet eivät riitä alikansioiden luomiseen kansioon '%s'.  \n"
                 "Sovellusta ei voi asentaa määritettyyn kansioon."},
    {errors, 34, "Käyttöoikeudet eivät riitä kohdeaseman käyttämiseen."},
    {errors, 35, "Virhe luotaessa kansiota '%s'. \n"
                 "Käyttöoikeudet eivät riitä alikansioiden luomiseen kansioon '%s'. \nJatketaanko?"},
    {errors, 36, "Virhe luotaessa kansiota '%s'. \nKansion '%s' käyttö estettiin. \nJatketaanko?"},
    {errors, 37, "Virhe luotaessa kansiota '%s'. \nKohdeaseman käyttö estettiin. \nJatketaanko?"},
    {errors, 38, "Virhe luotaessa kansiota '%s'. \n"
                 "Käyttöoikeudet eivät riitä kansioiden luomiseen kohdeasemalle. \nJatketaanko?"},
    {errors, 39, "Kohdeasemalla ei ole tarpeeksi vapaata tilaa."},

    {buttons, 0, "< &Edellinen"},
    {buttons, 1, "&Seuraava >"},
    {buttons, 2, "Peruuta"},
    {buttons, 3, "&Asenna"},
    {buttons, 4, "&Lopeta"},
    {buttons, 5, "&Kyllä"},
    {buttons, 6, "&Ei"},
    {buttons, 7, "S&elaa..."},
    {buttons, 8, "&Valmis"},
    {buttons, 9, "&Pura"},
    {buttons, 10, "OK"},

    {language, 0, "{DisplayName} - asennus"},
    {language, 1, "Valitse kieli"},
    {language, 2, "Valitse asennuksen kieli alla olevasta luettelosta."},
    {language, 3, "&Kieli:"},

    {welcome, 0, "{DisplayName} - asennus"},
    {welcome, 1, "Tervetuloa {DisplayName} -ohjelman asennukseen"},
    {welcome, 2, "Tämä ohjelma asentaa {DisplayName} -ohjelman tietokoneeseesi."},
    {welcome, 3, "On erittäin suositeltavaa sulkea kaikki Windows-ohjelmat ennen tämän asennusohjelman "
                 "suorittamista."},
    {welcome, 4, "VAROITUS: Tämä ohjelma on tekijänoikeuslakien ja kansainvälisten sopimusten suojaama."},
    {welcome, 5, "Tämän ohjelman tai sen osan luvaton kopioiminen tai levittäminen voi johtaa ankariin "
                 "siviili- ja rikosoikeudellisiin seuraamuksiin, ja rikkomuksista nostetaan syyte niin "
                 "laajasti kuin laki sallii."},
    {welcome, 6, "Jatka valitsemalla Seuraava tai lopeta asennus valitsemalla Peruuta."},
    {welcome, 7, "{DisplayName}: tervetuloa"},

    {licence, 0, "{DisplayName} - asennus"},
    {licence, 1, "Käyttöoikeussopimus"},
    {licence, 2, "Lue seuraava &käyttöoikeussopimus huolellisesti."},
    {licence, 3, "Hyväksytkö kaikki edellä olevan käyttöoikeussopimuksen ehdot?"},

    {readme, 0, "{DisplayName} - asennus"},
    {readme, 1, "Tärkeitä tietoja"},
    {readme, 2, "Lue seuraavat tärkeät &tiedot ennen kuin jatkat."},

    {destination, 0, "{DisplayName} - asennus"},
    {destination, 1, "Valitse kohdekansio"},
    {destination, 2, "{DisplayName} asennetaan seuraavaan kansioon. Jos haluat asentaa toiseen kansioon, "
                     "valitse Selaa ja valitse toinen kansio."},
    {destination, 3, "&Kohdekansio"},
    {destination, 4, "Valitse kansio, johon {DisplayName} asennetaan:"},
    {destination, 5, "Tarvittava levytila:"},
    {destination, 6, "Vapaa levytila asemassa %DISK%:"},

    {startMenu, 0, "{DisplayName} - asennus"},
    {startMenu, 1, "Valitse Käynnistä-valikon kansio"},
    {startMenu, 2, "Ohjelman &pikakuvakkeet luodaan seuraavaan Käynnistä-valikon kansioon:"},
    {startMenu, 3, "Luo &ohjelmaryhmä"},
    {startMenu, 4, "Luo pikakuvakkeet &työpöydälle"},
    {startMenu, 5, "Luo pikakuvakkeet &Pikakäynnistys-palkkiin"},

    {ready, 0, "{DisplayName} - asennus"},
    {ready, 1, "Valmis asennettavaksi"},
    {ready, 2, "Asennusohjelma on valmis asentamaan {DisplayName} -ohjelman tietokoneeseesi."},
    {ready, 3, "Jatka asennusta valitsemalla Asenna, tai valitse Edellinen, jos haluat tarkistaa tai muuttaa "
               "asetuksia."},

    {installing, 0, "{DisplayName} - asennus"},
    {installing, 1, "Asennetaan"},
    {installing, 2, "Odota, kun {DisplayName} asennetaan tietokoneeseesi."},
    {installing, 3, "Jos haluat keskeyttää asennuksen, valitse Peruuta."},
    {installing, 4, "Puretaan tiedostoja..."},
    {installing, 5, "Luodaan pikakuvakkeita..."},
    {installing, 6, "Kirjoitetaan rekisterimerkintöjä..."},
    {installing, 7, "Päivitetään INI-tiedostoja..."},
    {installing, 8, "Rekisteröidään tiedostokytkentöjä..."},
    {installing, 13, "Viimeistellään asennusta..."},

    {finish, 0, "{DisplayName} - asennus"},
    {finish, 1, "Asennus on valmis"},
    {finish, 2, "{DisplayName} on asennettu tietokoneeseesi."},
    {finish, 3, "Lopeta asennus valitsemalla Valmis."},
    {finish, 4, "&Käynnistä {DisplayName} nyt"},
    {finish, 5, "&Näytä Lueminut-tiedosto"},
    {finish, 6, "K&yllä, käynnistä tietokone uudelleen nyt"},
    {finish, 7, "Asennuksen aikana tapahtui virheitä. {DisplayName} ei ehkä toimi oikein."},
    {finish, 8, "Tallenna työsi ja sulje kaikki ohjelmat, ennen kuin tietokone käynnistetään uudelleen."},
    {finish, 9, "{DisplayName} on asennettu, mutta jotkin tiedostot olivat käytössä, ja ne korvataan, kun "
                "tietokone käynnistetään uudelleen. Tietokone on käynnistettävä uudelleen ennen ohjelman "
                "käyttöä."},
    {finish, 10, "Asennusohjelman on käynnistettävä tietokone uudelleen, jotta {DisplayName} -ohjelman "
                 "asennus valmistuu."},

    {uninstaller, 0, "{ProductName} - asennuksen poisto"},
    {uninstaller, 1, "Sovelluksen poistaminen"},
    {uninstaller, 2, "Odota, kun {DisplayName} poistetaan tietokoneesta."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kFinnishTexts = {0x0B, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
