// German texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Die Installation ist noch nicht abgeschlossen. Wenn Sie jetzt beenden, wird {DisplayName} "
                  "nicht installiert.\n\nMöchten Sie das Setup beenden?"},
    {messages, 1, "Um die Installation abzuschließen, muss der Computer neu gestartet werden,\n"
                  "damit die Systemkonfiguration aktualisiert wird.\n\nSystem jetzt neu starten?"},
    {messages, 2, "Der Installationsordner ist kein gültiger Pfad. Bitte geben Sie einen vollständigen Pfad\n"
                  "mit Laufwerksbuchstaben ein, zum Beispiel C:\\Programme\\{DisplayName}."},
    {messages, 5, "Um die Installation abzuschließen, muss der Computer neu gestartet werden.\n"
                  "Einige Dateien sind in Gebrauch und können erst beim Neustart ersetzt werden.\n\n"
                  "System jetzt neu starten?"},
    {messages, 6, "Die Datei %s\nwird von einer anderen Anwendung verwendet.\n\n"
                  "Schließen Sie diese Anwendung und klicken Sie auf Ja, um es erneut zu versuchen,\n"
                  "oder auf Nein, um die Datei beim nächsten Neustart zu ersetzen."},
    {messages, 8, "Die Installation läuft. Wenn Sie jetzt beenden, wird {DisplayName}\n"
                  "möglicherweise nicht richtig installiert.\n\nMöchten Sie das Setup beenden?"},
    {messages, 9, "Die Installation wurde mit Fehlern abgeschlossen. Teile von {DisplayName}\n"
                  "funktionieren möglicherweise nicht richtig."},
    {messages, 10, "Sie müssen den Computer neu starten, bevor Sie %s verwenden können."},
    {messages, 11, "Für die Installation des Programms sind Administratorrechte erforderlich."},
    {messages, 12, "Dieses Programm läuft nur auf Systemen mit NT-Kernel."},
    {messages, 13, "Für dieses Programm wird mindestens %s benötigt."},

    {errors, 0, "Ein für die Installation benötigtes Dialogfeld konnte nicht erstellt werden. Setup wird beendet..."},
    {errors, 1, "Fehler beim Öffnen der vorhandenen Datei '%s'  \nzum Lesen. Zugriff verweigert. Fortfahren?"},
    {errors, 2, "Unzureichende Rechte zum Öffnen der vorhandenen Datei '%s'  \nzum Schreiben. Fortfahren?"},
    {errors, 3, "Fehler beim Öffnen der vorhandenen Datei '%s'  \nzum Lesen und Schreiben. Zugriff verweigert. "
                "Fortfahren?"},
    {errors, 4, "Fehler beim Öffnen der vorhandenen Datei '%s'  \nzum Lesen. %sFortfahren?"},
    {errors, 5, "Fehler beim Öffnen der vorhandenen Datei '%s'  \nzum Schreiben. %sFortfahren?"},
    {errors, 6, "Fehler beim Öffnen der vorhandenen Datei '%s'  \nzum Lesen und Schreiben. %sFortfahren?"},
    {errors, 7, "Fehler beim Erstellen der Datei '%s'  \nzum Lesen. Zugriff verweigert. Fortfahren?"},
    {errors, 8, "Fehler beim Erstellen der Datei '%s' zum Schreiben.  \n"
                "Unzureichende Rechte zum Erstellen von Dateien im Ordner '%s'.  \nFortfahren?"},
    {errors, 9, "Fehler beim Erstellen der Datei '%s'  \nzum Lesen und Schreiben. Zugriff verweigert. Fortfahren?"},
    {errors, 10, "Fehler beim Erstellen der Datei '%s'  \nzum Lesen. %sFortfahren?"},
    {errors, 11, "Fehler beim Erstellen der Datei '%s'  \nzum Schreiben. %sFortfahren?"},
    {errors, 12, "Fehler beim Erstellen der Datei '%s'  \nzum Lesen und Schreiben. %sFortfahren?"},
    {errors, 13, "Fehler beim Erstellen der temporären Datei für die Datei '%s',  \n"
                 "die beim Neustart installiert werden muss.  \n%sFortfahren?"},
    {errors, 14, "Fehler beim Schreiben der Datei '%s'.  \n"
                 "Auf dem Ziellaufwerk ist nicht genügend Speicherplatz frei. Geben Sie zuerst  \n"
                 "Speicherplatz auf dem Ziellaufwerk frei und klicken Sie dann auf OK. Klicken Sie  \n"
                 "auf Abbrechen, um das Setup zu beenden."},
    {errors, 15, "Fehler beim Schreiben der Datei '%s'.  \n%sFortfahren?"},
    {errors, 16, "Fehler beim Lesen der Datei '%s'."},
    {errors, 17, "Fehler beim Verschieben der Datei '%s'."},
    {errors, 18, "Fehler beim Lesen der Attribute der Datei  \n'%s'."},
    {errors, 19, "Fehler beim Setzen der Attribute der Datei  \n'%s'."},
    {errors, 20, "Fehler beim Ermitteln der Größe der Datei  \n'%s'."},
    {errors, 21, "Fehler beim Erstellen des Ordners '%s'. \n%sFortfahren?"},
    {errors, 22, "Fehler beim Anlegen der Speicherzuordnung für die Datei  \n'%s'."},
    {errors, 23, "Fehler beim Einblenden der Datei  \n'%s' in den Speicher."},
    {errors, 24, "Fehler beim Erstellen des Registrierungsschlüssels '%s'.  \n%sFortfahren?"},
    {errors, 25, "Fehler beim Erstellen des Registrierungswerts '%s' im Schlüssel '%s'.  \n%sFortfahren?"},
    {errors, 26, "Unzureichende Rechte für die erforderlichen Änderungen an der Registrierung. "
                 "Möchten Sie die Installation fortsetzen?"},
    {errors, 27, "Fehler beim Erstellen der Verknüpfung '%s'.  \nFortfahren?"},
    {errors, 28, ": Beim Registrieren dieser Komponente ist ein Fehler aufgetreten. "
                 "Möchten Sie die Installation fortsetzen?"},
    {errors, 29, "Beim Neustart des Systems ist ein Fehler aufgetreten. Bitte starten Sie den Computer neu."},
    {errors, 30, "Fehler beim Erstellen der Dateizuordnung für '%s'. Fortfahren?"},
    {errors, 31, "Das Ziellaufwerk ist nicht vorhanden."},
    {errors, 32, "Unzureichende Rechte zum Erstellen von Dateien im angegebenen Ordner.  \n"
                 "Die Anwendung kann nicht in diesem Ordner installiert werden."},
    {errors, 33, "Unzureichende Rechte zum Erstellen von Unterordnern im Ordner '%s'.  \n"
                 "Die Anwendung kann nicht im angegebenen Ordner installiert werden."},
    {errors, 34, "Unzureichende Rechte für den Zugriff auf das Ziellaufwerk."},
    {errors, 35, "Fehler beim Erstellen des Ordners '%s'. \n"
                 "Unzureichende Rechte zum Erstellen von Unterordnern im Ordner '%s'. \nFortfahren?"},
    {errors, 36, "Fehler beim Erstellen des Ordners '%s'. \nDer Zugriff auf den Ordner '%s' wurde verweigert. "
                 "\nFortfahren?"},
    {errors, 37, "Fehler beim Erstellen des Ordners '%s'. \nDer Zugriff auf das Ziellaufwerk wurde verweigert. "
                 "\nFortfahren?"},
    {errors, 38, "Fehler beim Erstellen des Ordners '%s'. \n"
                 "Unzureichende Rechte zum Erstellen von Ordnern auf dem Ziellaufwerk. \nFortfahren?"},
    {errors, 39, "Auf dem Ziellaufwerk ist nicht genügend Speicherplatz frei."},

    {buttons, 0, "< &Zurück"},
    {buttons, 1, "&Weiter >"},
    {buttons, 2, "Abbrechen"},
    {buttons, 3, "&Installieren"},
    {buttons, 4, "&Beenden"},
    {buttons, 5, "&Ja"},
    {buttons, 6, "&Nein"},
    {buttons, 7, "&Durchsuchen..."},
    {buttons, 8, "&Fertig stellen"},
    {buttons, 9, "&Entpacken"},
    {buttons, 10, "OK"},

    {language, 0, "{DisplayName} Setup"},
    {language, 1, "Sprache auswählen"},
    {language, 2, "Bitte wählen Sie die Sprache für das Setup aus der folgenden Liste aus."},
    {language, 3, "&Sprache:"},

    {welcome, 0, "{DisplayName} Setup"},
    {welcome, 1, "Willkommen beim Setup von {DisplayName}"},
    {welcome, 2, "Dieses Programm installiert {DisplayName} auf Ihrem Computer."},
    {welcome, 3, "Es wird dringend empfohlen, alle Windows-Programme zu beenden, bevor Sie dieses Setup "
                 "ausführen."},
    {welcome, 4, "WARNUNG: Dieses Programm ist durch Urheberrechtsgesetze und internationale Verträge geschützt."},
    {welcome, 5, "Die unerlaubte Vervielfältigung oder Verbreitung dieses Programms oder eines Teils davon "
                 "kann zivil- und strafrechtliche Folgen haben und wird im größtmöglichen gesetzlich "
                 "zulässigen Umfang verfolgt."},
    {welcome, 6, "Klicken Sie auf Weiter, um fortzufahren, oder auf Abbrechen, um das Setup zu beenden."},
    {welcome, 7, "Willkommen beim Setup von {DisplayName}"},

    {licence, 0, "{DisplayName} Setup"},
    {licence, 1, "Lizenzvereinbarung"},
    {licence, 2, "Bitte lesen Sie die folgende &Lizenzvereinbarung sorgfältig durch."},
    {licence, 3, "Akzeptieren Sie alle Bedingungen der vorstehenden Lizenzvereinbarung?"},

    {readme, 0, "{DisplayName} Setup"},
    {readme, 1, "Wichtige Informationen"},
    {readme, 2, "Bitte lesen Sie die folgenden wichtigen &Informationen, bevor Sie fortfahren."},

    {destination, 0, "{DisplayName} Setup"},
    {destination, 1, "Zielordner wählen"},
    {destination, 2, "Das Setup installiert {DisplayName} in den folgenden Ordner. Um in einen anderen Ordner "
                     "zu installieren, klicken Sie auf Durchsuchen und wählen Sie einen anderen Ordner."},
    {destination, 3, "Ziel&ordner"},
    {destination, 4, "Wählen Sie den Ordner, in den {DisplayName} installiert werden soll:"},
    {destination, 5, "Benötigter Speicherplatz:"},
    {destination, 6, "Freier Speicherplatz auf Laufwerk %DISK%:"},

    {startMenu, 0, "{DisplayName} Setup"},
    {startMenu, 1, "Startmenü-Ordner wählen"},
    {startMenu, 2, "Das Setup legt die &Verknüpfungen des Programms im folgenden Startmenü-Ordner an:"},
    {startMenu, 3, "&Programmgruppe erstellen"},
    {startMenu, 4, "Verknüpfungen auf dem &Desktop erstellen"},
    {startMenu, 5, "Verknüpfungen in der &Schnellstartleiste erstellen"},

    {ready, 0, "{DisplayName} Setup"},
    {ready, 1, "Bereit zur Installation"},
    {ready, 2, "Das Setup ist jetzt bereit, {DisplayName} auf Ihrem Computer zu installieren."},
    {ready, 3, "Klicken Sie auf Installieren, um mit der Installation zu beginnen, oder auf Zurück, um Ihre "
               "Einstellungen zu überprüfen oder zu ändern."},

    {installing, 0, "{DisplayName} Setup"},
    {installing, 1, "Installation"},
    {installing, 2, "Bitte warten Sie, während {DisplayName} auf Ihrem Computer installiert wird."},
    {installing, 3, "Klicken Sie auf Abbrechen, wenn Sie die Installation unterbrechen möchten."},
    {installing, 4, "Dateien werden entpackt..."},
    {installing, 5, "Verknüpfungen werden erstellt..."},
    {installing, 6, "Registrierungseinträge werden geschrieben..."},
    {installing, 7, "INI-Dateien werden aktualisiert..."},
    {installing, 8, "Dateizuordnungen werden registriert..."},
    {installing, 13, "Installation wird abgeschlossen..."},

    {finish, 0, "{DisplayName} Setup"},
    {finish, 1, "Installation abgeschlossen"},
    {finish, 2, "Das Setup hat {DisplayName} auf Ihrem Computer installiert."},
    {finish, 3, "Klicken Sie auf Fertig stellen, um das Setup zu beenden."},
    {finish, 4, "{DisplayName} jetzt &starten"},
    {finish, 5, "&Liesmich-Datei anzeigen"},
    {finish, 6, "&Ja, Computer jetzt neu starten"},
    {finish, 7, "Bei der Installation sind Fehler aufgetreten. {DisplayName} funktioniert möglicherweise "
                "nicht richtig."},
    {finish, 8, "Bitte speichern Sie Ihre Arbeit und schließen Sie alle Programme, bevor der Computer neu "
                "startet."},
    {finish, 9, "Das Setup hat {DisplayName} installiert, aber einige Dateien waren in Gebrauch und werden "
                "beim Neustart ersetzt. Sie müssen den Computer neu starten, bevor Sie das Programm "
                "verwenden."},
    {finish, 10, "Um die Installation von {DisplayName} abzuschließen, muss das Setup den Computer neu "
                 "starten."},

    {uninstaller, 0, "{ProductName} deinstallieren"},
    {uninstaller, 1, "Anwendung entfernen"},
    {uninstaller, 2, "Bitte warten Sie, während {DisplayName} von Ihrem Computer entfernt wird."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kGermanTexts = {7, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
