#include "persons/SaveFailure.h"

#include <QDir>

namespace {

// The words that differ between a save and an erasing.
struct Wording
{
    QString nothingDone;   // "Rien n'a été enregistré"
    QString again;         // what to do once the cause is gone: "sauvegardez à nouveau"
    QString act;           // "enregistrer"
    QString backupKept;    // what stayed as it was when the new backup could not be written
    QString directoryKept; // the same when the new directory could not be written
};

QString message(const Wording& w, SaveFailure failure, const QString& subject, const QString& detail,
                const QString& second)
{
    const QString file = QDir::toNativeSeparators(subject);
    const QString nothingDone = QStringLiteral("\r\n") + w.nothingDone + u'.';
    switch (failure) {
    case SaveFailure::FieldNotStorable:
        return QStringLiteral("Impossible d'enregistrer\u00a0: le champ «\u00a0%1\u00a0» contient %2, qui ne peut pas "
                              "figurer dans le fichier des personnes.\r\n"
                              "Corrigez ce champ, puis %3.")
            .arg(subject, detail, w.again);
    case SaveFailure::Unreadable:
        return detail + nothingDone;
    case SaveFailure::InvalidLine:
        return detail + QStringLiteral("\r\n%1, pour ne perdre aucune donnée.").arg(w.nothingDone);
    case SaveFailure::TooLarge:
        // A directory past the reading limit could never be opened again, nor saved to.
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» dépasserait %2\u00a0Mo, la taille "
                              "au-delà de laquelle le programme ne peut plus le lire.")
                   .arg(file, detail) +
               nothingDone;
    case SaveFailure::BackupIsLink:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» est un lien vers un autre emplacement, "
                              "alors qu'elle doit être un fichier ordinaire du dossier des données\u00a0: "
                              "supprimez ce lien, puis %2.")
                   .arg(file, w.again) +
               nothingDone;
    case SaveFailure::BackupIsDirectory:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» et sa copie de sauvegarde «\u00a0%2\u00a0» "
                              "sont un seul et même fichier (lien)\u00a0: %3 détruirait la copie. "
                              "Supprimez «\u00a0%2\u00a0», puis %4.")
                   .arg(file, QDir::toNativeSeparators(second), w.act, w.again) +
               nothingDone;
    case SaveFailure::BackupNotRegular:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'est pas un fichier ordinaire.").arg(file) +
               nothingDone;
    case SaveFailure::LockBusy:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par un autre "
                              "exemplaire du programme.\r\n%2\u00a0; %3 dans un instant.")
            .arg(file, w.nothingDone, w.again);
    case SaveFailure::LockNotAFile:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'est pas un fichier ordinaire\u00a0: "
                              "c'est %2. Le programme ne peut pas s'en servir\u00a0; supprimez-le, puis %3.")
                   .arg(file, detail, w.again) +
               nothingDone;
    case SaveFailure::LockNotRemovable:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» existe déjà et ne peut pas être "
                              "supprimé\u00a0: %2. Si aucun autre exemplaire du programme n'enregistre en ce moment, "
                              "supprimez-le vous-même, puis %3.")
                   .arg(file, detail, w.again) +
               nothingDone;
    case SaveFailure::LockTooLarge:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» est bien trop grand pour être un verrou "
                              "du programme\u00a0; supprimez-le, puis %2.")
                   .arg(file, w.again) +
               nothingDone;
    case SaveFailure::LockNotCreated:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                   .arg(file, detail) +
               nothingDone;
    case SaveFailure::DirectoryNotCreated:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                   .arg(file, detail) +
               nothingDone;
    case SaveFailure::BackupNotWritten:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'a pas pu être écrite\u00a0: %2.\r\n"
                              "%3\u00a0; %4.")
            .arg(file, detail, w.nothingDone, w.backupKept);
    case SaveFailure::DirectoryNotWritten:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                              "%3\u00a0; %4.")
            .arg(file, detail, w.nothingDone, w.directoryKept);
    case SaveFailure::DirectoryNotReplaced:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                              "Il est resté tel qu'il était.")
            .arg(file, detail);
    case SaveFailure::PersonVanished:
        return QStringLiteral("%1 n'est plus dans le fichier des personnes «\u00a0%2\u00a0» tel que la liste le "
                              "montrait\u00a0: un autre exemplaire du programme l'a modifié entre-temps.\r\n%3\u00a0; "
                              "la liste montre maintenant le fichier tel qu'il est.")
            .arg(detail, file, w.nothingDone);
    case SaveFailure::BackupUnreadable:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» ne peut pas être lue\u00a0: %2.\r\n%3, pour "
                              "ne pas laisser %4 dans la copie.")
            .arg(file, detail, w.nothingDone, second);
    case SaveFailure::BackupNotRestored:
        return QStringLiteral("Le fichier des personnes n'a pas pu être écrit, et la copie de sauvegarde "
                              "«\u00a0%1\u00a0» n'a pas pu être rétablie\u00a0: %2.\r\n%3 est toujours dans le "
                              "fichier des personnes, mais n'est plus dans cette copie\u00a0; %4.")
            .arg(file, detail, second, w.again);
    }
    return {};
}

} // namespace

QString saveMessage(SaveFailure failure, const QString& subject, const QString& detail, const QString& second)
{
    static const Wording save{QStringLiteral("Rien n'a été enregistré"), QStringLiteral("sauvegardez à nouveau"),
                              QStringLiteral("enregistrer"),
                              QStringLiteral("le fichier des personnes est resté tel qu'il était"),
                              QStringLiteral("il est resté tel qu'il était")};
    return message(save, failure, subject, detail, second);
}

QString eraseMessage(SaveFailure failure, const QString& subject, const QString& detail, const QString& second)
{
    static const Wording erase{QStringLiteral("Rien n'a été supprimé"), QStringLiteral("recommencez la suppression"),
                               QStringLiteral("supprimer"),
                               QStringLiteral("les deux fichiers sont restés tels qu'ils étaient"),
                               QStringLiteral("les deux fichiers sont restés tels qu'ils étaient")};
    return message(erase, failure, subject, detail, second);
}
