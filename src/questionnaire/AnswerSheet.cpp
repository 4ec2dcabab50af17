#include "questionnaire/AnswerSheet.h"

#include <algorithm>

AnswerSheet::AnswerSheet(const QList<int>& order, const QString& firstName, const QString& lastName)
    : m_order(order), m_firstName(firstName.trimmed()), m_lastName(lastName.trimmed())
{
}

bool AnswerSheet::isFor(const QString& firstName, const QString& lastName) const
{
    return firstName.trimmed() == m_firstName && lastName.trimmed() == m_lastName;
}

void AnswerSheet::answer(bool yes)
{
    if (isComplete())
        return;
    const int i = question();
    if (i >= 1 && i <= kQuestionCount)
        m_answers[size_t(i)] = yes ? Answer::Yes : Answer::No;
    ++m_position;
    m_answered = std::max(m_answered, m_position);
}

bool AnswerSheet::stepBack()
{
    if (m_position == 0)
        return false;
    --m_position;
    return true;
}
