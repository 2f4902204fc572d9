// French texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "L'installation n'est pas terminée. Si vous quittez maintenant, {DisplayName} ne sera pas "
                  "installé.\n\nVoulez-vous quitter le programme d'installation ?"},
    {messages, 1, "Pour terminer l'installation, votre ordinateur doit être redémarré\n"
                  "afin de mettre à jour la configuration du système.\n\nRedémarrer le système maintenant ?"},
    {messages, 2, "Le dossier d'installation n'est pas un chemin valide. Veuillez indiquer un chemin complet\n"
                  "commençant par une lettre de lecteur, par exemple C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Pour terminer l'installation, votre ordinateur doit être redémarré.\n"
                  "Certains fichiers sont en cours d'utilisation et ne peuvent être remplacés qu'au "
                  "redémarrage du système.\n\nRedémarrer le système maintenant ?"},
    {messages, 6, "Le fichier %s\nest utilisé par une autre application.\n\n"
                  "Fermez cette application et cliquez sur Oui pour réessayer, ou cliquez sur Non\n"
                  "pour remplacer le fichier au redémarrage de l'ordinateur."},
    {messages, 8, "L'installation est en cours. Si vous quittez maintenant, {DisplayName}\n"
                  "risque d'être mal installé.\n\nVoulez-vous quitter le programme d'installation ?"},
    {messages, 9, "L'installation s'est terminée avec des erreurs. Certaines parties de {DisplayName}\n"
                  "risquent de ne pas fonctionner correctement."},
    {messages, 10, "Vous devez redémarrer votre ordinateur avant de pouvoir utiliser %s."},
    {messages, 11, "Vous devez disposer des droits d'administrateur pour installer ce programme."},
    {messages, 12, "Ce programme ne fonctionne que sur les systèmes à noyau NT."},
    {messages, 13, "Ce programme nécessite au minimum %s pour fonctionner."},

    {errors, 0, "Impossible de créer une boîte de dialogue nécessaire à l'installation. Fermeture..."},
    {errors, 1, "Erreur lors de l'ouverture du fichier existant '%s'  \nen lecture. Accès refusé. Continuer ?"},
    {errors, 2, "Droits insuffisants pour ouvrir le fichier existant '%s'  \nen écriture. Continuer ?"},
    {errors, 3, "Erreur lors de l'ouverture du fichier existant '%s'  \nen lecture et écriture. Accès refusé. "
                "Continuer ?"},
    {errors, 4, "Erreur lors de l'ouverture du fichier existant '%s'  \nen lecture. %sContinuer ?"},
    {errors, 5, "Erreur lors de l'ouverture du fichier existant '%s'  \nen écriture. %sContinuer ?"},
    {errors, 6, "Erreur lors de l'ouverture du fichier existant '%s'  \nen lecture et écriture. %sContinuer ?"},
    {errors, 7, "Erreur lors de la création du fichier '%s'  \nen lecture. Accès refusé. Continuer ?"},
    {errors, 8, "Erreur lors de la création du fichier '%s' en écriture.  \n"
                "Droits insuffisants pour créer des fichiers dans le dossier '%s'.  \nContinuer ?"},
    {errors, 9, "Erreur lors de la création du fichier '%s'  \nen lecture et écriture. Accès refusé. Continuer ?"},
    {errors, 10, "Erreur lors de la création du fichier '%s'  \nen lecture. %sContinuer ?"},
    {errors, 11, "Erreur lors de la création du fichier '%s'  \nen écriture. %sContinuer ?"},
    {errors, 12, "Erreur lors de la création du fichier '%s'  \nen lecture et écriture. %sContinuer ?"},
    {errors, 13, "Erreur lors de la création du fichier temporaire pour le fichier '%s'  \n"
                 "qui doit être installé au redémarrage.  \n%sContinuer ?"},
    {errors, 14, "Erreur lors de l'écriture du fichier '%s'.  \n"
                 "L'espace disque est insuffisant sur le lecteur cible. Pour continuer, libérez d'abord  \n"
                 "de l'espace sur le lecteur cible, puis cliquez sur OK. Pour quitter l'installation,  \n"
                 "cliquez sur Annuler."},
    {errors, 15, "Erreur lors de l'écriture du fichier '%s'.  \n%sContinuer ?"},
    {errors, 16, "Erreur lors de la lecture du fichier '%s'."},
    {errors, 17, "Erreur lors du déplacement du fichier '%s'."},
    {errors, 18, "Erreur lors de la lecture des attributs du fichier  \n'%s'."},
    {errors, 19, "Erreur lors de la modification des attributs du fichier  \n'%s'."},
    {errors, 20, "Erreur lors de la lecture de la taille du fichier  \n'%s'."},
    {errors, 21, "Erreur lors de la création du dossier '%s'. \n%sContinuer ?"},
    {errors, 22, "Erreur lors de la création du mappage du fichier  \n'%s'."},
    {errors, 23, "Erreur lors de la projection en mémoire du fichier  \n'%s'."},
    {errors, 24, "Erreur lors de la création de la clé de registre '%s'.  \n%sContinuer ?"},
    {errors, 25, "Erreur lors de la création de la valeur de registre '%s' dans la clé '%s'.  \n%sContinuer ?"},
    {errors, 26, "Droits insuffisants pour effectuer les modifications nécessaires du registre. "
                 "Voulez-vous poursuivre l'installation ?"},
    {errors, 27, "Erreur lors de la création du raccourci '%s'.  \nContinuer ?"},
    {errors, 28, " : une erreur s'est produite lors de l'enregistrement de ce composant. "
                 "Voulez-vous poursuivre l'installation ?"},
    {errors, 29, "Une erreur s'est produite lors du redémarrage du système. Veuillez redémarrer votre "
                 "ordinateur."},
    {errors, 30, "Erreur lors de la création de l'association pour '%s'. Continuer ?"},
    {errors, 31, "Le lecteur cible n'existe pas."},
    {errors, 32, "Droits insuffisants pour créer des fichiers dans le dossier indiqué.  \n"
                 "Vous ne pouvez pas installer l'application dans ce dossier."},
    {errors, 33, "Droits insuffisants pour créer des sous-dossiers dans le dossier '%s'.  \n"
                 "Vous ne pouvez pas installer l'application dans le dossier indiqué."},
    {errors, 34, "Droits insuffisants pour accéder au lecteur cible."},
    {errors, 35, "Erreur lors de la création du dossier '%s'. \n"
                 "Droits insuffisants pour créer des sous-dossiers dans le dossier '%s'. \nContinuer ?"},
    {errors, 36, "Erreur lors de la création du dossier '%s'. \nL'accès au dossier '%s' est refusé. \nContinuer ?"},
    {errors, 37, "Erreur lors de la création du dossier '%s'. \nL'accès au lecteur cible est refusé. \nContinuer ?"},
    {errors, 38, "Erreur lors de la création du dossier '%s'. \n"
                 "Droits insuffisants pour créer des dossiers sur le lecteur cible. \nContinuer ?"},
    {errors, 39, "L'espace libre est insuffisant sur le lecteur cible."},

    {buttons, 0, "< &Précédent"},
    {buttons, 1, "&Suivant >"},
    {buttons, 2, "Annuler"},
    {buttons, 3, "&Installer"},
    {buttons, 4, "&Quitter"},
    {buttons, 5, "&Oui"},
    {buttons, 6, "&Non"},
    {buttons, 7, "&Parcourir..."},
    {buttons, 8, "&Terminer"},
    {buttons, 9, "&Extraire"},
    {buttons, 10, "OK"},

    {language, 0, "Installation de {DisplayName}"},
    {language, 1, "Choix de la langue"},
    {language, 2, "Veuillez choisir la langue de l'installation dans la liste ci-dessous."},
    {language, 3, "&Langue :"},

    {welcome, 0, "Installation de {DisplayName}"},
    {welcome, 1, "Bienvenue dans l'installation de {DisplayName}"},
    {welcome, 2, "Ce programme va installer {DisplayName} sur votre ordinateur."},
    {welcome, 3, "Il est vivement recommandé de quitter tous les programmes Windows avant de lancer cette "
                 "installation."},
    {welcome, 4, "AVERTISSEMENT : ce programme est protégé par la loi sur le droit d'auteur et par les "
                 "traités internationaux."},
    {welcome, 5, "Toute reproduction ou distribution non autorisée de ce programme, ou d'une partie de "
                 "celui-ci, est passible de sanctions civiles et pénales et fera l'objet de poursuites dans "
                 "toute la mesure prévue par la loi."},
    {welcome, 6, "Cliquez sur Suivant pour continuer, ou sur Annuler pour quitter l'installation."},
    {welcome, 7, "Bienvenue dans l'installation de {DisplayName}"},

    {licence, 0, "Installation de {DisplayName}"},
    {licence, 1, "Contrat de licence"},
    {licence, 2, "Veuillez lire attentivement le &contrat de licence suivant."},
    {licence, 3, "Acceptez-vous toutes les conditions du contrat de licence ci-dessus ?"},

    {readme, 0, "Installation de {DisplayName}"},
    {readme, 1, "Informations importantes"},
    {readme, 2, "Veuillez lire les &informations suivantes avant de continuer."},

    {destination, 0, "Installation de {DisplayName}"},
    {destination, 1, "Choix du dossier de destination"},
    {destination, 2, "{DisplayName} va être installé dans le dossier suivant. Pour l'installer dans un autre "
                     "dossier, cliquez sur Parcourir et choisissez un autre dossier."},
    {destination, 3, "&Dossier de destination"},
    {destination, 4, "Choisissez le dossier dans lequel installer {DisplayName} :"},
    {destination, 5, "Espace disque nécessaire :"},
    {destination, 6, "Espace disponible sur le disque %DISK% :"},

    {startMenu, 0, "Installation de {DisplayName}"},
    {startMenu, 1, "Choix du dossier du menu Démarrer"},
    {startMenu, 2, "Les &raccourcis du programme seront ajoutés au dossier suivant du menu Démarrer :"},
    {startMenu, 3, "Créer le &groupe de programmes"},
    {startMenu, 4, "Créer des raccourcis sur le &Bureau"},
    {startMenu, 5, "Créer des raccourcis dans la barre de &Lancement rapide"},

    {ready, 0, "Installation de {DisplayName}"},
    {ready, 1, "Prêt à installer"},
    {ready, 2, "Le programme d'installation est prêt à installer {DisplayName} sur votre ordinateur."},
    {ready, 3, "Cliquez sur Installer pour commencer l'installation, ou sur Précédent pour revoir ou modifier "
               "vos paramètres."},

    {installing, 0, "Installation de {DisplayName}"},
    {installing, 1, "Installation en cours"},
    {installing, 2, "Veuillez patienter pendant l'installation de {DisplayName} sur votre ordinateur."},
    {installing, 3, "Pour interrompre l'installation, cliquez sur Annuler."},
    {installing, 4, "Extraction des fichiers..."},
    {installing, 5, "Création des raccourcis..."},
    {installing, 6, "Écriture des entrées du registre..."},
    {installing, 7, "Mise à jour des fichiers INI..."},
    {installing, 8, "Enregistrement des associations de fichiers..."},
    {installing, 13, "Fin de l'installation..."},

    {finish, 0, "Installation de {DisplayName}"},
    {finish, 1, "Installation terminée"},
    {finish, 2, "{DisplayName} a été installé sur votre ordinateur."},
    {finish, 3, "Cliquez sur Terminer pour quitter l'installation."},
    {finish, 4, "&Lancer {DisplayName} maintenant"},
    {finish, 5, "&Afficher le fichier Lisez-moi"},
    {finish, 6, "&Oui, redémarrer l'ordinateur maintenant"},
    {finish, 7, "Des erreurs se sont produites pendant l'installation. {DisplayName} risque de ne pas "
                "fonctionner correctement."},
    {finish, 8, "Veuillez enregistrer votre travail et fermer tous les programmes avant le redémarrage de "
                "l'ordinateur."},
    {finish, 9, "{DisplayName} a été installé, mais certains fichiers étaient en cours d'utilisation et seront "
                "remplacés au redémarrage. Vous devez redémarrer l'ordinateur avant d'utiliser le programme."},
    {finish, 10, "Pour terminer l'installation de {DisplayName}, votre ordinateur doit être redémarré."},

    {uninstaller, 0, "Désinstallation de {ProductName}"},
    {uninstaller, 1, "Suppression de l'application"},
    {uninstaller, 2, "Veuillez patienter pendant la suppression de {DisplayName} de votre ordinateur."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kFrenchTexts = {12, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
