// Italian texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "L'installazione non è completa. Se esci ora, {DisplayName} non verrà installato.\n\n"
                  "Vuoi uscire dall'installazione?"},
    {messages, 1, "Per completare l'installazione è necessario riavviare il computer\n"
                  "per aggiornare la configurazione del sistema.\n\nRiavviare il sistema ora?"},
    {messages, 2, "La cartella di installazione non è un percorso valido. Inserisci un percorso completo\n"
                  "che inizi con una lettera di unità, ad esempio C:\\Programmi\\{DisplayName}."},
    {messages, 5, "Per completare l'installazione è necessario riavviare il computer.\n"
                  "Alcuni file sono in uso e possono essere sostituiti solo al riavvio del sistema.\n\n"
                  "Riavviare il sistema ora?"},
    {messages, 6, "Il file %s\nè in uso da parte di un'altra applicazione.\n\n"
                  "Chiudi l'applicazione e fai clic su Sì per riprovare, oppure fai clic su No\n"
                  "per sostituire il file al riavvio del computer."},
    {messages, 8, "L'installazione è in corso. Se esci ora, {DisplayName}\n"
                  "potrebbe non essere installato correttamente.\n\nVuoi uscire dall'installazione?"},
    {messages, 9, "L'installazione è terminata con errori. Alcune parti di {DisplayName}\n"
                  "potrebbero non funzionare correttamente."},
    {messages, 10, "È necessario riavviare il computer prima di poter utilizzare %s."},
    {messages, 11, "Per installare il programma sono necessari i privilegi di amministratore."},
    {messages, 12, "Questo programma funziona solo su sistemi con kernel NT."},
    {messages, 13, "Per il funzionamento del programma è necessario almeno %s."},

    {errors, 0, "Impossibile creare una finestra di dialogo necessaria per l'installazione. Uscita in corso..."},
    {errors, 1, "Errore durante l'apertura del file esistente '%s'  \nin lettura. Accesso negato. Continuare?"},
    {errors, 2, "Diritti insufficienti per aprire il file esistente '%s'  \nin scrittura. Continuare?"},
    {errors, 3, "Errore durante l'apertura del file esistente '%s'  \nin lettura e scrittura. Accesso negato. "
                "Continuare?"},
    {errors, 4, "Errore durante l'apertura del file esistente '%s'  \nin lettura. %sContinuare?"},
    {errors, 5, "Errore durante l'apertura del file esistente '%s'  \nin scrittura. %sContinuare?"},
    {errors, 6, "Errore durante l'apertura del file esistente '%s'  \nin lettura e scrittura. %sContinuare?"},
    {errors, 7, "Errore durante la creazione del file '%s'  \nin lettura. Accesso negato. Continuare?"},
    {errors, 8, "Errore durante la creazione del file '%s' in scrittura.  \n"
                "Diritti insufficienti per creare file nella cartella '%s'.  \nContinuare?"},
    {errors, 9, "Errore durante la creazione del file '%s'  \nin lettura e scrittura. Accesso negato. Continuare?"},
    {errors, 10, "Errore durante la creazione del file '%s'  \nin lettura. %sContinuare?"},
    {errors, 11, "Errore durante la creazione del file '%s'  \nin scrittura. %sContinuare?"},
    {errors, 12, "Errore durante la creazione del file '%s'  \nin lettura e scrittura. %sContinuare?"},
    {errors, 13, "Errore durante la creazione del file temporaneo per il file '%s'  \n"
                 "da installare al riavvio.  \n%sContinuare?"},
    {errors, 14, "Errore durante la scrittura del file '%s'.  \n"
                 "Lo spazio sull'unità di destinazione non è sufficiente. Per continuare, libera  \n"
                 "spazio sull'unità di destinazione e fai clic su OK. Per uscire dall'installazione,  \n"
                 "fai clic su Annulla."},
    {errors, 15, "Errore durante la scrittura del file '%s'.  \n%sContinuare?"},
    {errors, 16, "Errore durante la lettura del file '%s'."},
    {errors, 17, "Errore durante lo spostamento del file '%s'."},
    {errors, 18, "Errore durante la lettura degli attributi del file  \n'%s'."},
    {errors, 19, "Errore durante l'impostazione degli attributi del file  \n'%s'."},
    {errors, 20, "Errore durante la lettura della dimensione del file  \n'%s'."},
    {errors, 21, "Errore durante la creazione della cartella '%s'. \n%sContinuare?"},
    {errors, 22, "Errore durante la creazione della mappatura del file  \n'%s'."},
    {errors, 23, "Errore durante la mappatura in memoria del file  \n'%s'."},
    {errors, 24, "Errore durante la creazione della chiave di registro '%s'.  \n%sContinuare?"},
    {errors, 25, "Errore durante la creazione del valore di registro '%s' nella chiave '%s'.  \n%sContinuare?"},
    {errors, 26, "Privilegi insufficienti per apportare le modifiche necessarie al registro. "
                 "Vuoi continuare l'installazione?"},
    {errors, 27, "Errore durante la creazione del collegamento '%s'.  \nContinuare?"},
    {errors, 28, ": si è verificato un errore durante la registrazione di questo componente. "
                 "Vuoi continuare l'installazione?"},
    {errors, 29, "Si è verificato un errore durante il riavvio del sistema. Riavvia il computer manualmente."},
    {errors, 30, "Errore durante la creazione dell'associazione per '%s'. Continuare?"},
    {errors, 31, "L'unità di destinazione non esiste."},
    {errors, 32, "Diritti insufficienti per creare file nella cartella specificata.  \n"
                 "Impossibile installare l'applicazione in questa cartella."},
    {errors, 33, "Diritti insufficienti per creare sottocartelle nella cartella '%s'.  \n"
                 "Impossibile installare l'applicazione nella cartella specificata."},
    {errors, 34, "Diritti insufficienti per accedere all'unità di destinazione."},
    {errors, 35, "Errore durante la creazione della cartella '%s'. \n"
                 "Diritti insufficienti per creare sottocartelle nella cartella '%s'. \nContinuare?"},
    {errors, 36, "Errore durante la creazione della cartella '%s'. \nAccesso alla cartella '%s' negato. "
                 "\nContinuare?"},
    {errors, 37, "Errore durante la creazione della cartella '%s'. \nAccesso all'unità di destinazione negato. "
                 "\nContinuare?"},
    {errors, 38, "Errore durante la creazione della cartella '%s'. \n"
                 "Diritti insufficienti per creare cartelle sull'unità di destinazione. \nContinuare?"},
    {errors, 39, "Lo spazio libero sull'unità di destinazione non è sufficiente."},

    {buttons, 0, "< &Indietro"},
    {buttons, 1, "&Avanti >"},
    {buttons, 2, "Annulla"},
    {buttons, 3, "I&nstalla"},
    {buttons, 4, "&Esci"},
    {buttons, 5, "&Sì"},
    {buttons, 6, "&No"},
    {buttons, 7, "&Sfoglia..."},
    {buttons, 8, "&Fine"},
    {buttons, 9, "&Estrai"},
    {buttons, 10, "OK"},

    {language, 0, "Installazione di {DisplayName}"},
    {language, 1, "Selezione della lingua"},
    {language, 2, "Seleziona dall'elenco la lingua dell'installazione."},
    {language, 3, "&Lingua:"},

    {welcome, 0, "Installazione di {DisplayName}"},
    {welcome, 1, "Benvenuti nell'installazione di {DisplayName}"},
    {welcome, 2, "Questo programma installerà {DisplayName} nel computer."},
    {welcome, 3, "Si consiglia vivamente di chiudere tutti i programmi Windows prima di eseguire "
                 "l'installazione."},
    {welcome, 4, "AVVISO: questo programma è protetto dalle leggi sul diritto d'autore e dai trattati "
                 "internazionali."},
    {welcome, 5, "La riproduzione o la distribuzione non autorizzata di questo programma, o di parte di esso, "
                 "può comportare gravi sanzioni civili e penali e sarà perseguita nella misura massima "
                 "consentita dalla legge."},
    {welcome, 6, "Fai clic su Avanti per continuare oppure su Annulla per uscire dall'installazione."},
    {welcome, 7, "Benvenuti in {DisplayName}"},

    {licence, 0, "Installazione di {DisplayName}"},
    {licence, 1, "Contratto di licenza"},
    {licence, 2, "Leggi attentamente il seguente contratto di &licenza."},
    {licence, 3, "Accetti tutti i termini del contratto di licenza riportato sopra?"},

    {readme, 0, "Installazione di {DisplayName}"},
    {readme, 1, "Informazioni importanti"},
    {readme, 2, "Leggi le seguenti &informazioni importanti prima di continuare."},

    {destination, 0, "Installazione di {DisplayName}"},
    {destination, 1, "Scelta della cartella di destinazione"},
    {destination, 2, "{DisplayName} verrà installato nella cartella seguente. Per installarlo in un'altra "
                     "cartella, fai clic su Sfoglia e scegli un'altra cartella."},
    {destination, 3, "Cartella di &destinazione"},
    {destination, 4, "Scegli la cartella in cui installare {DisplayName}:"},
    {destination, 5, "Spazio richiesto:"},
    {destination, 6, "Spazio disponibile sul disco %DISK%:"},

    {startMenu, 0, "Installazione di {DisplayName}"},
    {startMenu, 1, "Scelta della cartella del menu Start"},
    {startMenu, 2, "I &collegamenti del programma verranno creati nella seguente cartella del menu Start:"},
    {startMenu, 3, "Crea il &gruppo di programmi"},
    {startMenu, 4, "Crea i collegamenti sul &desktop"},
    {startMenu, 5, "Crea i collegamenti nella barra &Avvio veloce"},

    {ready, 0, "Installazione di {DisplayName}"},
    {ready, 1, "Pronto per l'installazione"},
    {ready, 2, "Il programma è pronto per installare {DisplayName} nel computer."},
    {ready, 3, "Fai clic su Installa per procedere con l'installazione oppure su Indietro per rivedere o "
               "modificare le impostazioni."},

    {installing, 0, "Installazione di {DisplayName}"},
    {installing, 1, "Installazione in corso"},
    {installing, 2, "Attendi mentre {DisplayName} viene installato nel computer."},
    {installing, 3, "Per interrompere l'installazione, fai clic su Annulla."},
    {installing, 4, "Estrazione dei file..."},
    {installing, 5, "Creazione dei collegamenti..."},
    {installing, 6, "Scrittura delle voci di registro..."},
    {installing, 7, "Aggiornamento dei file INI..."},
    {installing, 8, "Registrazione delle associazioni dei file..."},
    {installing, 13, "Completamento dell'installazione..."},

    {finish, 0, "Installazione di {DisplayName}"},
    {finish, 1, "Installazione completata"},
    {finish, 2, "L'installazione di {DisplayName} nel computer è stata completata."},
    {finish, 3, "Fai clic su Fine per uscire dall'installazione."},
    {finish, 4, "&Avvia {DisplayName} ora"},
    {finish, 5, "&Visualizza il file Leggimi"},
    {finish, 6, "&Sì, riavvia il computer ora"},
    {finish, 7, "Si sono verificati errori durante l'installazione. {DisplayName} potrebbe non funzionare "
                "correttamente."},
    {finish, 8, "Salva il tuo lavoro e chiudi tutti i programmi prima del riavvio del computer."},
    {finish, 9, "{DisplayName} è stato installato, ma alcuni file erano in uso e verranno sostituiti al "
                "riavvio del computer. È necessario riavviare il computer prima di utilizzare il programma."},
    {finish, 10, "Per completare l'installazione di {DisplayName} è necessario riavviare il computer."},

    {uninstaller, 0, "Disinstallazione di {ProductName}"},
    {uninstaller, 1, "Rimozione dell'applicazione"},
    {uninstaller, 2, "Attendi mentre {DisplayName} viene rimosso dal computer."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kItalianTexts = {0x10, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
