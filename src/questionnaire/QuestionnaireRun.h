#pragma once

#include "questionnaire/Scoring.h"

#include <optional>

class MessageService;
class QWidget;

// Asks the 81 questions one by one, in an order drawn from seed, each as a "Oui"/"Non"/"Annuler" box, and types
// the answers. Nothing when the user cancels: the answers given so far are dropped.
std::optional<TypingResult> runQuestionnaire(MessageService& messages, QWidget* parent, quint32 seed);
