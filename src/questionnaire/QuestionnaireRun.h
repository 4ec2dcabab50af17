#pragma once

#include "questionnaire/AnswerSheet.h"
#include "questionnaire/Scoring.h"

#include <optional>

class MessageService;
class QWidget;

// The sheet a click on "Répondre au questionnaire" works on. Answers kept from a cancelled run for the same names
// are offered first; "Oui" goes on with them, "Non" (or other names) starts a sheet in an order drawn from seed.
// Either way nothing stays kept: the caller keeps the sheet again if this run is cancelled too.
AnswerSheet startOrResume(MessageService& messages, QWidget* parent, std::optional<AnswerSheet>& kept,
                          const QString& firstName, const QString& lastName, quint32 seed);

// Asks the sheet's questions one by one from where it stands, each as a "Oui"/"Non"/"Annuler" box that shows how
// far the run is and can step back with "Précédente", then types all 81 answers. Nothing when the user cancels:
// the sheet then holds the answers given so far.
std::optional<TypingResult> runQuestionnaire(MessageService& messages, QWidget* parent, AnswerSheet& sheet);
