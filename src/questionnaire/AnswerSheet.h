#pragma once

#include "questionnaire/Scoring.h"

#include <QList>
#include <QString>
#include <array>

// One run of the questionnaire: the order drawn for it, the answers given so far and the person they are for. The
// answers always cover the start of the order, so going back and forth never draws again and never asks a question
// twice; a run paused by "Annuler" goes on from the first question it had not reached.
class AnswerSheet
{
public:
    AnswerSheet(const QList<int>& order, const QString& firstName, const QString& lastName);

    // Names are compared without their surrounding blanks, as the directory stores them.
    bool isFor(const QString& firstName, const QString& lastName) const;

    // The question shown now, and its place in the run counting from 1.
    int question() const { return m_order.value(m_position); }
    int number() const { return m_position + 1; }
    bool isComplete() const { return m_position >= m_order.size(); }
    // How many questions have an answer; a step back does not take one away.
    int answeredCount() const { return m_answered; }

    // Records the answer to the question shown now (replacing an earlier one) and moves to the next.
    void answer(bool yes);
    // Back to the previous question; false on the first.
    bool stepBack();
    // Where a paused run picks up: the first question without an answer.
    void resume() { m_position = m_answered; }

    const std::array<Answer, kQuestionCount + 1>& answers() const { return m_answers; }

private:
    QList<int> m_order;
    QString m_firstName;
    QString m_lastName;
    std::array<Answer, kQuestionCount + 1> m_answers{};
    int m_position = 0;
    int m_answered = 0;
};
