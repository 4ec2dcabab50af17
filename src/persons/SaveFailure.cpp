#include "persons/SaveFailure.h"

#include <QDir>

QString saveMessage(SaveFailure failure, const QString& subject, const QString& detail, const QString& second)
{
    const QString file = QDir::toNativeSeparators(subject);
    const QString nothingSaved = QStringLiteral("\r\nRien n'a été enregistré.");
    switch (failure) {
    case SaveFailure::FieldNotStorable:
        return QStringLiteral("Impossible d'enregistrer\u00a0: le champ «\u00a0%1\u00a0» contient %2, qui ne peut pas "
                              "figurer dans le fichier des personnes.\r\n"
                              "Corrigez ce champ puis sauvegardez à nouveau.")
            .arg(subject, detail);
    case SaveFailure::Unreadable:
        return detail + nothingSaved;
    case SaveFailure::InvalidLine:
        return detail + QStringLiteral("\r\nRien n'a été enregistré, pour ne perdre aucune donnée.");
    case SaveFailure::TooLarge:
        // A directory past the reading limit could never be opened again, nor saved to.
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» dépasserait %2\u00a0Mo, la taille "
                              "au-delà de laquelle le programme ne peut plus le lire.")
                   .arg(file, detail) +
               nothingSaved;
    case SaveFailure::BackupIsLink:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» est un lien vers un autre emplacement, "
                              "alors qu'elle doit être un fichier ordinaire du dossier des données\u00a0: "
                              "supprimez ce lien, puis sauvegardez à nouveau.")
                   .arg(file) +
               nothingSaved;
    case SaveFailure::BackupIsDirectory:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» et sa copie de sauvegarde «\u00a0%2\u00a0» "
                              "sont un seul et même fichier (lien)\u00a0: enregistrer détruirait la copie. "
                              "Supprimez «\u00a0%2\u00a0», puis sauvegardez à nouveau.")
                   .arg(file, QDir::toNativeSeparators(second)) +
               nothingSaved;
    case SaveFailure::BackupNotRegular:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'est pas un fichier ordinaire.").arg(file) +
               nothingSaved;
    case SaveFailure::LockBusy:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par un autre "
                              "exemplaire du programme.\r\nRien n'a été enregistré\u00a0; sauvegardez à "
                              "nouveau dans un instant.")
            .arg(file);
    case SaveFailure::LockNotAFile:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'est pas un fichier ordinaire\u00a0: "
                              "c'est %2. Le programme ne peut pas s'en servir\u00a0; supprimez-le, puis "
                              "sauvegardez à nouveau.")
                   .arg(file, detail) +
               nothingSaved;
    case SaveFailure::LockNotRemovable:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» est là et ne peut pas être "
                              "supprimé\u00a0: %2.")
                   .arg(file, detail) +
               nothingSaved;
    case SaveFailure::LockNotCreated:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                   .arg(file, detail) +
               nothingSaved;
    case SaveFailure::DirectoryNotCreated:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                   .arg(file, detail) +
               nothingSaved;
    case SaveFailure::BackupNotWritten:
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'a pas pu être écrite\u00a0: %2.\r\n"
                              "Rien n'a été enregistré\u00a0; le fichier des personnes est resté tel qu'il était.")
            .arg(file, detail);
    case SaveFailure::DirectoryNotWritten:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                              "Rien n'a été enregistré\u00a0; il est resté tel qu'il était.")
            .arg(file, detail);
    case SaveFailure::DirectoryNotReplaced:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                              "Il est resté tel qu'il était.")
            .arg(file, detail);
    }
    return {};
}
