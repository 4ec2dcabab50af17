#include "questionnaire/QuestionnaireRun.h"

#include "platform/MessageService.h"
#include "questionnaire/Questions.h"

#include <QRandomGenerator>

std::optional<TypingResult> runQuestionnaire(MessageService& messages, QWidget* parent, quint32 seed)
{
    const QStringList& questions = questionTexts();
    std::array<Answer, kQuestionCount + 1> answers{};
    QRandomGenerator random(seed);
    for (const int i : drawQuestionOrder(random)) {
        const MessageAnswer answer =
            messages.show(parent, {questions.value(i), QStringLiteral("Questionnaire"), MessageButtons::YesNoCancel,
                                   MessageIcon::Question, MessageAnswer::Yes});
        if (answer == MessageAnswer::Yes)
            answers[i] = Answer::Yes;
        else if (answer == MessageAnswer::No)
            answers[i] = Answer::No;
        else
            return std::nullopt;
    }
    return typeFromScores(countYes(answers));
}
