#include "questionnaire/QuestionnaireRun.h"

#include "platform/MessageService.h"
#include "questionnaire/Questions.h"

#include <QRandomGenerator>

namespace {

const QString kTitle = QStringLiteral("Questionnaire");

} // namespace

AnswerSheet startOrResume(MessageService& messages, QWidget* parent, std::optional<AnswerSheet>& kept,
                          const QString& firstName, const QString& lastName, quint32 seed)
{
    std::optional<AnswerSheet> earlier;
    earlier.swap(kept);
    if (earlier && earlier->answeredCount() > 0 && earlier->isFor(firstName, lastName)) {
        const int count = earlier->answeredCount();
        const QString question =
            QStringLiteral("Vous avez déjà répondu à %1 %2 sur %3. Reprendre le questionnaire là où vous l'avez "
                           "laissé ?")
                .arg(count)
                .arg(count == 1 ? QStringLiteral("question") : QStringLiteral("questions"))
                .arg(kQuestionCount);
        if (messages.show(parent, {question, kTitle, MessageButtons::YesNo, MessageIcon::Question,
                                   MessageAnswer::Yes}) == MessageAnswer::Yes) {
            earlier->resume();
            return *earlier;
        }
    }
    QRandomGenerator random(seed);
    return AnswerSheet(drawQuestionOrder(random), firstName, lastName);
}

std::optional<TypingResult> runQuestionnaire(MessageService& messages, QWidget* parent, AnswerSheet& sheet)
{
    const QStringList& questions = questionTexts();
    while (!sheet.isComplete()) {
        MessageRequest box{questions.value(sheet.question()), kTitle, MessageButtons::YesNoCancel,
                           MessageIcon::Question, MessageAnswer::Yes};
        box.informativeText = QStringLiteral("Question %1 sur %2").arg(sheet.number()).arg(kQuestionCount);
        box.previous = sheet.number() > 1 ? PreviousButton::Enabled : PreviousButton::Disabled;
        switch (messages.show(parent, box)) {
        case MessageAnswer::Yes:
            sheet.answer(true);
            break;
        case MessageAnswer::No:
            sheet.answer(false);
            break;
        case MessageAnswer::Previous:
            sheet.stepBack();
            break;
        case MessageAnswer::Ok:
        case MessageAnswer::Cancel:
            return std::nullopt;
        }
    }
    return typeFromScores(countYes(sheet.answers()));
}
