#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>

class QRandomGenerator;

constexpr int kQuestionCount = 81;
constexpr int kQuestionsPerType = 9;

enum class Answer : qint16 { NotAsked = 0, Yes = 1, No = 2 };

// Number of "yes" answers per type, indices 1 to 9 (index 0 unused).
using Scores = std::array<qint16, 10>;

struct TypingResult
{
    qint16 type = 0;
    qint16 wing1 = 0; // lower neighbour, 0 when it is no wing
    qint16 wing2 = 0; // upper neighbour, 0 when it is no wing
    Scores scores{};
};

// Questions 1-9 feed type 1, 10-18 type 2, and so on.
int typeOfQuestion(int question);

Scores countYes(const std::array<Answer, kQuestionCount + 1>& answers);

// The types beside a type on the circle: 9 comes before 1 and 1 after 9.
int lowerNeighbour(int type);
int upperNeighbour(int type);

// Highest score wins; a tie goes to the highest neighbour sum, and among equal sums to the highest type.
// A neighbour within one point of the top score is a wing.
TypingResult typeFromScores(const Scores& scores);

// The order in which the 81 questions are asked: each once, every order equally likely.
QList<int> drawQuestionOrder(QRandomGenerator& random);

// How clear a profile is, in the same words wherever it is shown: "Résultat net" when the top score leads the next
// one by 2 or more; otherwise the near tie, naming every type at the top score or one point below it. Empty when
// every score is 0: there is no profile to judge.
QString clarityLine(const Scores& scores);
