#include "install/run_texts.h"

const LanguageTexts kDestinationExistsQuestion = {
    "The specified directory already exists. Do you want to install the program there anyway? (Existing "
    "versions will be overwritten!)\rIf this is an update, you should install into the same directory as the "
    "registered version (preserves registration).",
    "Das angegebene Verzeichnis existiert bereits. Soll das Programm trotzdem dorthin kopiert werden? (Alte "
    "Versionen werden \xFC" "berschrieben!)\rFalls dies ein Update ist, sollten Sie ins Verzeichnis der "
    "registrierten Version installieren (Reg. bleibt erhalten).",
    "Le r\xE9pertoire sp\xE9" "cifi\xE9 existe d\xE9j\xE0. Voulez-vous installer quand-m\xEAme dans ce "
    "r\xE9pertoire? (Versions existantes seront \xE9" "cras\xE9" "es!)\rSi c'est un update, installez dans le "
    "m\xEAme r\xE9pertoire que la version enregistr\xE9" "e (pr\xE9serve l'enreg.).",
};

// There is no French backup label: the English one is shown.
const LanguageTexts kBackupLabel = {"Backup data:", "Sichere Daten:", "Backup data:"};
const LanguageTexts kInstallingLabel = {"Installing file:", "Installiere Datei:", "Installation fichier:"};

const LanguageTexts kReadErrorMessage = {
    "Error reading %s!\rDisk may be defective!",
    "Fehler beim Lesen von %s!\rDisk eventuell defekt!",
    "Erreur en lisant %s!\rLa disquette peut-\xEAtre d\xE9" "fectueuse!",
};
const LanguageTexts kWriteErrorMessage = {"Error writing %s!", "Fehler beim Schreiben von %s!",
                                          "Erreur en \xE9" "crivant %s!"};
const LanguageTexts kAbortedMessage = {"Installation aborted!", "Installation abgebrochen!",
                                       "Installation stopp\xE9" "e!"};
const LanguageTexts kDiskFullMessage = {"Disk full!", "Datentr\xE4ger ist voll!", "Le disque est plein!"};

const LanguageTexts kGroupQuestion = {
    "Do you want to create a group in Program Manager/Start menu?",
    "Soll eine Gruppe im Programm-Manager/Start-Men\xFC erzeugt werden?",
    "Voulez-vous cr\xE9" "er un groupe dans Program Manager/Menu Start?",
};
const LanguageTexts kCreatingGroupText = {"\rCreating program group...", "\rErzeuge Programm-Gruppe...",
                                          "\rCr\xE9" "er groupe de programmes..."};

const LanguageTexts kFailureMessage = {"Installation NOT successful!", "Installation fehlerhaft!",
                                       "Installation pas compl\xE8te!"};
const LanguageTexts kSuccessMessage = {"Installation successful!", "Installation erfolgreich!",
                                       "Installation compl\xE8te!"};

const LanguageTexts kRestartQuestion = {
    "Some files in your Windows System directory were updated.\rTo make the changes effective, you must now "
    "restart Windows.\rDo you want to restart Windows NOW?",
    "Es wurden Dateien im Windows Systemverzeichnis erneuert.\rDamit die \xC4nderungen wirksam werden, m\xFCssen "
    "Sie Windows neu starten.\rWollen Sie Windows jetzt neu starten?",
    "Quelques fichiers dans votre r\xE9pertoire System ont \xE9t\xE9 chang\xE9s.\rPour activer ces changements, "
    "vous devez relacer Windows.\rVoulez-vous relancer Windows maintenant?",
};
