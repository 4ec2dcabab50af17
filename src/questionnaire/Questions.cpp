#include "questionnaire/Questions.h"

#include "platform/TextCatalog.h"
#include "questionnaire/Scoring.h"

const QStringList& questionTexts()
{
    static const QStringList texts = [] {
        const TextCatalog catalog = TextCatalog::fromResource(QStringLiteral(":/questionnaire/texts/questions.txt"));
        QStringList list;
        for (int i = 0; i <= kQuestionCount; ++i)
            list.append(i == 0 ? QString() : catalog.text(QString::number(i)));
        return list;
    }();
    return texts;
}
