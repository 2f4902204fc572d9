// English texts. The errors group and messages 11 to 13 are the wording the
// setup program was designed with and are kept exactly, oddities included.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Setup is not complete. If you quit now, {DisplayName} will not be installed.\n\n"
                  "Do you want to quit Setup?"},
    {messages, 1, "To complete the installation your computer must be restarted\n"
                  "to update the system configuration.\n\nRestart the system now?"},
    {messages, 2, "The installation folder is not a valid path. Please enter a full path\n"
                  "that starts with a drive letter, for example C:\\Program Files\\{DisplayName}."},
    {messages, 5, "To complete the installation your computer must be restarted.\n"
                  "Some files are in use and can be replaced during system reboot only.\n\n"
                  "Restart the system now?"},
    {messages, 6, "The file %s\nis in use by another application.\n\n"
                  "Close that application and click Yes to try again, or click No\n"
                  "to replace the file when the computer restarts."},
    {messages, 8, "The installation is in progress. If you quit now, {DisplayName}\n"
                  "may be installed incorrectly.\n\nDo you want to quit Setup?"},
    {messages, 9, "The installation completed with errors. Some parts of {DisplayName}\n"
                  "may not work correctly."},
    {messages, 10, "You must restart your computer before you can use %s."},
    {messages, 11, "You need administrative privileges to install the program."},
    {messages, 12, "This program is for systems with NT kernel only."},
    {messages, 13, "You need at least %s for the program to be working."},

    {errors, 0, "Error creating dialog needed for the installation. Exiting..."},
    {errors, 1, "Error opening existing file '%s'  \nfor read access. Access is denied. Continue?"},
    {errors, 2, "Insufficient rights to open existing file '%s'  \nfor write access. Continue?"},
    {errors, 3, "Error opening existing file '%s'  \nfor read and write access. Access is denied. Continue?"},
    {errors, 4, "Error opening existing file '%s'  \nfor read access. %sContinue?"},
    {errors, 5, "Error opening existing file '%s'  \nfor write access. %sContinue?"},
    {errors, 6, "Error opening existing file '%s'  \nfor read and write access. %sContinue?"},
    {errors, 7, "Error creating a file '%s'  \nfor read access. Access is denied. Continue?"},
    {errors, 8, "Error creating a file '%s' for write access.  \n"
                "Insufficient access rights to create files in a folder '%s'.  \nContinue?"},
    {errors, 9, "Error creating a file '%s'  \nfor read and write access. Access is denied. Continue?"},
    {errors, 10, "Error creating a file '%s'  \nfor read access. %sContinue?"},
    {errors, 11, "Error creating a file '%s'  \nfor write access. %sContinue?"},
    {errors, 12, "Error creating a file '%s'  \nfor read and write access. %sContinue?"},
    {errors, 13, "Error creating temporary file for a file '%s'  \nthat needs to be installed on reboot.  \n"
                 "%sContinue?"},
    {errors, 14, "Error writing a file '%s'.  \n"
                 "It is not enough disk space on the target drive. To continue, first free  \n"
                 "disk space on the target drive and then click OK. To exit the setup,  \nclick Cancel."},
    {errors, 15, "Error writing a file '%s'.  \n%sContinue?"},
    {errors, 16, "Error reading a file '%s'."},
    {errors, 17, "Error moving a file '%s'."},
    {errors, 18, "Error getting attributes of a file  \n'%s'."},
    {errors, 19, "Error setting attributes of a file  \n'%s'."},
    {errors, 20, "Error getting size of a file  \n'%s'."},
    {errors, 21, "Error creating a directory '%s'. \n%sContinue?"},
    {errors, 22, "Error creating file mapping for a file  \n'%s'."},
    {errors, 23, "Error mappnig view of a file  \n'%s'."},
    {errors, 24, "Error creating a registry key '%s'.  \n%sContinue?"},
    {errors, 25, "Error creating a registry value '%s' in the key '%s'.  \n%sContinue?"},
    {errors, 26, "Insufficient privileges to make required registry changes. "
                 "Do you want to continue the installation?"},
    {errors, 27, "Error creating shortcut '%s'.  \nContinue?"},
    {errors, 28, ": an error occurred registering this component. Do you want to continue the installation?"},
    {errors, 29, "An error occurred while trying to reboot the system. Please restart your machine."},
    {errors, 30, "Error creating the association for '%s'. Continue?"},
    {errors, 31, "The target drive is not exists."},
    {errors, 32, "Insufficient access rights to create files in the specified folder.  \n"
                 "You can not install the application in that folder."},
    {errors, 33, "Insufficient access rights to create subfolders in a folder '%s'.  \n"
                 "You can not install the application in the specified folder."},
    {errors, 34, "Insufficient rights to access the target drive."},
    {errors, 35, "Error creating a directory '%s'. \n"
                 "Insufficient access rights to create subfolders in a folder '%s'. \nContinue?"},
    {errors, 36, "Error creating a directory '%s'. \nAccess to folder '%s' is denied. \nContinue?"},
    {errors, 37, "Error creating a directory '%s'. \nAccess to the target drive is denied. \nContinue?"},
    {errors, 38, "Error creating a directory '%s'. \n"
                 "Insufficient access rights to create folders on the target drive. \nContinue?"},
    {errors, 39, "It is not enough free space on the target drive."},

    {buttons, 0, "< &Back"},
    {buttons, 1, "&Next >"},
    {buttons, 2, "Cancel"},
    {buttons, 3, "&Install"},
    {buttons, 4, "E&xit"},
    {buttons, 5, "&Yes"},
    {buttons, 6, "&No"},
    {buttons, 7, "B&rowse..."},
    {buttons, 8, "&Finish"},
    {buttons, 9, "&Extract"},
    {buttons, 10, "OK"},

    {language, 0, "{DisplayName} Setup"},
    {language, 1, "Select Language"},
    {language, 2, "Please select the Setup language from the list below."},
    {language, 3, "&Language:"},

    {welcome, 0, "{DisplayName} Setup"},
    {welcome, 1, "Welcome to the {DisplayName} Setup"},
    {welcome, 2, "This program will install {DisplayName} on your computer."},
    {welcome, 3, "It is strongly recommended that you exit all Windows programs before running this Setup "
                 "program."},
    {welcome, 4, "WARNING: This program is protected by copyright law and international treaties."},
    {welcome, 5, "Unauthorized reproduction or distribution of this program, or any portion of it, may "
                 "result in severe civil and criminal penalties, and will be prosecuted to the maximum "
                 "extent possible under the law."},
    {welcome, 6, "Click Next to continue, or Cancel to exit Setup."},
    {welcome, 7, "Welcome to the {DisplayName} Setup"},

    {licence, 0, "{DisplayName} Setup"},
    {licence, 1, "License Agreement"},
    {licence, 2, "Please read the following &license agreement carefully."},
    {licence, 3, "Do you accept all the terms of the preceding license agreement?"},

    {readme, 0, "{DisplayName} Setup"},
    {readme, 1, "Readme Information"},
    {readme, 2, "Please read the following important &information before you continue."},

    {destination, 0, "{DisplayName} Setup"},
    {destination, 1, "Choose Destination Folder"},
    {destination, 2, "Setup will install {DisplayName} in the following folder. To install in a different "
                     "folder, click Browse and select another folder."},
    {destination, 3, "Destination &folder"},
    {destination, 4, "Select the folder in which Setup will install {DisplayName}:"},
    {destination, 5, "Required free space:"},
    {destination, 6, "Available free space on disk %DISK%:"},

    {startMenu, 0, "{DisplayName} Setup"},
    {startMenu, 1, "Select Start Menu Folder"},
    {startMenu, 2, "Setup will add the program's &shortcuts to the following Start Menu folder:"},
    {startMenu, 3, "Create the program &group"},
    {startMenu, 4, "Create shortcuts on the &Desktop"},
    {startMenu, 5, "Create shortcuts on the &Quick Launch bar"},

    {ready, 0, "{DisplayName} Setup"},
    {ready, 1, "Ready to Install"},
    {ready, 2, "Setup is now ready to begin installing {DisplayName} on your computer."},
    {ready, 3, "Click Install to continue with the installation, or click Back if you want to review or "
               "change any settings."},

    {installing, 0, "{DisplayName} Setup"},
    {installing, 1, "Installing"},
    {installing, 2, "Please wait while Setup installs {DisplayName} on your computer."},
    {installing, 3, "If you want to interrupt the installation, click Cancel."},
    {installing, 4, "Extracting files..."},
    {installing, 5, "Creating shortcuts..."},
    {installing, 6, "Writing registry entries..."},
    {installing, 7, "Updating INI files..."},
    {installing, 8, "Registering file associations..."},
    {installing, 13, "Finishing the installation..."},

    {finish, 0, "{DisplayName} Setup"},
    {finish, 1, "Setup Complete"},
    {finish, 2, "Setup has finished installing {DisplayName} on your computer."},
    {finish, 3, "Click Finish to exit Setup."},
    {finish, 4, "&Start {DisplayName} now"},
    {finish, 5, "&View the Readme file"},
    {finish, 6, "&Yes, restart the computer now"},
    {finish, 7, "Errors occurred during the installation. {DisplayName} may not work correctly."},
    {finish, 8, "Please save your work and close all programs before the computer restarts."},
    {finish, 9, "Setup has installed {DisplayName}, but some files were in use and will be replaced when "
                "the computer restarts. You must restart the computer before you use the program."},
    {finish, 10, "To complete the installation of {DisplayName}, Setup must restart your computer."},

    {uninstaller, 0, "{ProductName} Uninstall"},
    {uninstaller, 1, "Application Removal"},
    {uninstaller, 2, "Please wait while {DisplayName} is removed from your computer."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kEnglishTexts = {9, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
