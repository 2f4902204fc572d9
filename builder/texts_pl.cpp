// Polish texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Instalacja nie została ukończona. Jeśli przerwiesz ją teraz, program {DisplayName} nie zostanie "
                  "zainstalowany.\n\nCzy chcesz zakończyć instalację?"},
    {messages, 1, "Aby ukończyć instalację, należy ponownie uruchomić komputer\n"
                  "w celu zaktualizowania konfiguracji systemu.\n\nUruchomić ponownie system teraz?"},
    {messages, 2, "Folder instalacyjny nie jest prawidłową ścieżką. Wpisz pełną ścieżkę\n"
                  "zaczynającą się od litery dysku, na przykład C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Aby ukończyć instalację, należy ponownie uruchomić komputer.\n"
                  "Niektóre pliki są w użyciu i mogą zostać zastąpione dopiero podczas ponownego uruchomienia.\n\n"
                  "Uruchomić ponownie system teraz?"},
    {messages, 6, "Plik %s\njest używany przez inną aplikację.\n\n"
                  "Zamknij tę aplikację i kliknij Tak, aby spróbować ponownie, lub kliknij Nie,\n"
                  "aby zastąpić plik przy ponownym uruchomieniu komputera."},
    {messages, 8, "Trwa instalacja. Jeśli przerwiesz ją teraz, program {DisplayName}\n"
                  "może zostać zainstalowany nieprawidłowo.\n\nCzy chcesz zakończyć instalację?"},
    {messages, 9, "Instalacja zakończyła się z błędami. Niektóre części programu {DisplayName}\n"
                  "mogą nie działać prawidłowo."},
    {messages, 10, "Przed użyciem programu %s należy ponownie uruchomić komputer."},
    {messages, 11, "Do zainstalowania programu potrzebne są uprawnienia administratora."},
    {messages, 12, "Ten program działa tylko w systemach z jądrem NT."},
    {messages, 13, "Do działania programu potrzebny jest co najmniej %s."},

    {errors, 0, "Błąd tworzenia okna dialogowego potrzebnego do instalacji. Instalacja zostanie przerwana..."},
    {errors, 1, "Błąd otwierania istniejącego pliku '%s'  \ndo odczytu. Odmowa dostępu. Kontynuować?"},
    {errors, 2, "Niewystarczające uprawnienia do otwarcia istniejącego pliku '%s'  \ndo zapisu. Kontynuować?"},
    {errors, 3, "Błąd otwierania istniejącego pliku '%s'  \ndo odczytu i zapisu. Odmowa dostępu. Kontynuować?"},
    {errors, 4, "Błąd otwierania istniejącego pliku '%s'  \ndo odczytu. %sKontynuować?"},
    {errors, 5, "Błąd otwierania istniejącego pliku '%s'  \ndo zapisu. %sKontynuować?"},
    {errors, 6, "Błąd otwierania istniejącego pliku '%s'  \ndo odczytu i zapisu. %sKontynuować?"},
    {errors, 7, "Błąd tworzenia pliku '%s'  \ndo odczytu. Odmowa dostępu. Kontynuować?"},
    {errors, 8, "Błąd tworzenia pliku '%s' do zapisu.  \n"
                "Niewystarczające uprawnienia do tworzenia plików w folderze '%s'.  \nKontynuować?"},
    {errors, 9, "Błąd tworzenia pliku '%s'  \ndo odczytu i zapisu. Odmowa dostępu. Kontynuować?"},
    {errors, 10, "Błąd tworzenia pliku '%s'  \ndo odczytu. %sKontynuować?"},
    {errors, 11, "Błąd tworzenia pliku '%s'  \ndo zapisu. %sKontynuować?"},
    {errors, 12, "Błąd tworzenia pliku '%s'  \ndo odczytu i zapisu. %sKontynuować?"},
    {errors, 13, "Błąd tworzenia pliku tymczasowego dla pliku '%s',  \n"
                 "który zostanie zainstalowany przy ponownym uruchomieniu.  \n%sKontynuować?"},
    {errors, 14, "Błąd zapisu pliku '%s'.  \n"
                 "Na dysku docelowym brakuje miejsca. Aby kontynuować, zwolnij miejsce  \n"
                 "na dysku docelowym i kliknij OK. Aby zakończyć instalację,  \nkliknij Anuluj."},
    {errors, 15, "Błąd zapisu pliku '%s'.  \n%sKontynuować?"},
    {errors, 16, "Błąd odczytu pliku '%s'."},
    {errors, 17, "Błąd przenoszenia pliku '%s'."},
    {errors, 18, "Błąd odczytu atrybutów pliku  \n'%s'."},
    {errors, 19, "Błąd ustawiania atrybutów pliku  \n'%s'."},
    {errors, 20, "Błąd odczytu rozmiaru pliku  \n'%s'."},
    {errors, 21, "Błąd tworzenia folderu '%s'. \n%sKontynuować?"},
    {errors, 22, "Błąd tworzenia odwzorowania pliku  \n'%s'."},
    {errors, 23, "Błąd odwzorowania widoku pliku  \n'%s'."},
    {errors, 24, "Błąd tworzenia klucza rejestru '%s'.  \n%sKontynuować?"},
    {errors, 25, "Błąd tworzenia wartości rejestru '%s' w kluczu '%s'.  \n%sKontynuować?"},
    {errors, 26, "Niewystarczające uprawnienia do wprowadzenia wymaganych zmian w rejestrze. "
                 "Czy chcesz kontynuować instalację?"},
    {errors, 27, "Błąd tworzenia skrótu '%s'.  \nKontynuować?"},
    {errors, 28, ": wystąpił błąd podczas rejestrowania tego składnika. Czy chcesz kontynuować instalację?"},
    {errors, 29, "Wystąpił błąd podczas próby ponownego uruchomienia systemu. Uruchom ponownie komputer."},
    {errors, 30, "Błąd tworzenia skojarzenia dla '%s'. Kontynuować?"},
    {errors, 31, "Dysk docelowy nie istnieje."},
    {errors, 32, "Niewystarczające uprawnienia do tworzenia plików we wskazanym folderze.  \n"
                 "Nie można zainstalować aplikacji w tym folderze."},
    {errors, 33, "Niewystarczające uprawnienia do tworzenia podfolderów w folderze '%s'.  \n"
                 "Nie można zainstalować aplikacji we wskazanym folderze."},
    {errors, 34, "Niewystarczające uprawnienia dostępu do dysku docelowego."},
    {errors, 35, "Błąd tworzenia folderu '%s'. \n"
                 "Niewystarczające uprawnienia do tworzenia podfolderów w folderze '%s'. \nKontynuować?"},
    {errors, 36, "Błąd tworzenia folderu '%s'. \nOdmowa dostępu do folderu '%s'. \nKontynuować?"},
    {errors, 37, "Błąd tworzenia folderu '%s'. \nOdmowa dostępu do dysku docelowego. \nKontynuować?"},
    {errors, 38, "Błąd tworzenia folderu '%s'. \n"
                 "Niewystarczające uprawnienia do tworzenia folderów na dysku docelowym. \nKontynuować?"},
    {errors, 39, "Na dysku docelowym brakuje wolnego miejsca."},

    {buttons, 0, "< &Wstecz"},
    {buttons, 1, "&Dalej >"},
    {buttons, 2, "Anuluj"},
    {buttons, 3, "&Zainstaluj"},
    {buttons, 4, "Wyj&dź"},
    {buttons, 5, "&Tak"},
    {buttons, 6, "&Nie"},
    {buttons, 7, "&Przeglądaj..."},
    {buttons, 8, "&Zakończ"},
    {buttons, 9, "&Wypakuj"},
    {buttons, 10, "OK"},

    {language, 0, "Instalator programu {DisplayName}"},
    {language, 1, "Wybór języka"},
    {language, 2, "Wybierz z poniższej listy język instalatora."},
    {language, 3, "&Język:"},

    {welcome, 0, "Instalator programu {DisplayName}"},
    {welcome, 1, "Witamy w instalatorze {DisplayName}"},
    {welcome, 2, "Ten program zainstaluje {DisplayName} na tym komputerze."},
    {welcome, 3, "Przed uruchomieniem instalatora zaleca się zamknięcie wszystkich programów Windows."},
    {welcome, 4, "OSTRZEŻENIE: Ten program jest chroniony prawem autorskim i umowami międzynarodowymi."},
    {welcome, 5, "Nieautoryzowane kopiowanie lub rozpowszechnianie tego programu lub jego części może "
                 "skutkować surowymi sankcjami cywilnymi i karnymi oraz będzie ścigane w najszerszym "
                 "zakresie przewidzianym przez prawo."},
    {welcome, 6, "Kliknij Dalej, aby kontynuować, lub Anuluj, aby zakończyć instalację."},
    {welcome, 7, "Witamy w instalatorze {DisplayName}"},

    {licence, 0, "Instalator programu {DisplayName}"},
    {licence, 1, "Umowa licencyjna"},
    {licence, 2, "Przeczytaj uważnie poniższą &umowę licencyjną."},
    {licence, 3, "Czy akceptujesz wszystkie warunki tej umowy licencyjnej?"},

    {readme, 0, "Instalator programu {DisplayName}"},
    {readme, 1, "Informacje"},
    {readme, 2, "Przed kontynuowaniem przeczytaj poniższe ważne &informacje."},

    {destination, 0, "Instalator programu {DisplayName}"},
    {destination, 1, "Wybór folderu docelowego"},
    {destination, 2, "Program {DisplayName} zostanie zainstalowany w poniższym folderze. Aby zainstalować go w "
                     "innym folderze, kliknij Przeglądaj i wybierz inny folder."},
    {destination, 3, "&Folder docelowy"},
    {destination, 4, "Wybierz folder, w którym zostanie zainstalowany program {DisplayName}:"},
    {destination, 5, "Wymagane wolne miejsce:"},
    {destination, 6, "Dostępne wolne miejsce na dysku %DISK%:"},

    {startMenu, 0, "Instalator programu {DisplayName}"},
    {startMenu, 1, "Wybór folderu menu Start"},
    {startMenu, 2, "Instalator utworzy &skróty programu w następującym folderze menu Start:"},
    {startMenu, 3, "Utwórz &grupę programów"},
    {startMenu, 4, "Utwórz skróty na &pulpicie"},
    {startMenu, 5, "Utwórz skróty na pasku Szybkie &uruchamianie"},

    {ready, 0, "Instalator programu {DisplayName}"},
    {ready, 1, "Gotowy do instalacji"},
    {ready, 2, "Instalator jest gotowy do rozpoczęcia instalacji programu {DisplayName} na tym komputerze."},
    {ready, 3, "Kliknij Zainstaluj, aby rozpocząć instalację, lub Wstecz, jeśli chcesz przejrzeć lub zmienić "
               "ustawienia."},

    {installing, 0, "Instalator programu {DisplayName}"},
    {installing, 1, "Instalowanie"},
    {installing, 2, "Poczekaj, aż instalator zainstaluje program {DisplayName} na tym komputerze."},
    {installing, 3, "Aby przerwać instalację, kliknij Anuluj."},
    {installing, 4, "Wypakowywanie plików..."},
    {installing, 5, "Tworzenie skrótów..."},
    {installing, 6, "Zapisywanie wpisów w rejestrze..."},
    {installing, 7, "Aktualizowanie plików INI..."},
    {installing, 8, "Rejestrowanie skojarzeń plików..."},
    {installing, 13, "Kończenie instalacji..."},

    {finish, 0, "Instalator programu {DisplayName}"},
    {finish, 1, "Instalacja zakończona"},
    {finish, 2, "Instalator zakończył instalowanie programu {DisplayName} na tym komputerze."},
    {finish, 3, "Kliknij Zakończ, aby zamknąć instalator."},
    {finish, 4, "&Uruchom program {DisplayName}"},
    {finish, 5, "&Pokaż plik Readme"},
    {finish, 6, "&Tak, uruchom teraz ponownie komputer"},
    {finish, 7, "Podczas instalacji wystąpiły błędy. Program {DisplayName} może nie działać prawidłowo."},
    {finish, 8, "Zapisz swoją pracę i zamknij wszystkie programy przed ponownym uruchomieniem komputera."},
    {finish, 9, "Zainstalowano {DisplayName}. Pliki w użyciu zostaną zastąpione po ponownym uruchomieniu, "
                "wymaganym przed użyciem programu."},
    {finish, 10, "Aby ukończyć instalację programu {DisplayName}, instalator musi ponownie uruchomić komputer."},

    {uninstaller, 0, "Dezinstalacja {ProductName}"},
    {uninstaller, 1, "Usuwanie aplikacji"},
    {uninstaller, 2, "Poczekaj, aż program {DisplayName} zostanie usunięty z tego komputera."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kPolishTexts = {0x15, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
