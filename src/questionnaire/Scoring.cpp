#include "questionnaire/Scoring.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

int typeOfQuestion(int question)
{
    return (question - 1) / kQuestionsPerType + 1;
}

Scores countYes(const std::array<Answer, kQuestionCount + 1>& answers)
{
    Scores scores{};
    for (int i = 1; i <= kQuestionCount; ++i) {
        if (answers[i] == Answer::Yes)
            ++scores[typeOfQuestion(i)];
    }
    return scores;
}

int lowerNeighbour(int type)
{
    return type == 1 ? 9 : type - 1;
}

int upperNeighbour(int type)
{
    return type == 9 ? 1 : type + 1;
}

TypingResult typeFromScores(const Scores& scores)
{
    // s[0] and s[10] repeat types 9 and 1 so that neighbours wrap around the circle.
    std::array<qint16, 11> s{};
    for (int t = 1; t <= 9; ++t)
        s[t] = scores[t];
    s[0] = s[9];
    s[10] = s[1];

    qint16 top = 0;
    for (int t = 1; t <= 9; ++t)
        top = std::max(top, s[t]);

    QList<int> tied;
    for (int t = 1; t <= 9; ++t) {
        if (s[t] == top)
            tied.append(t);
    }

    TypingResult result;
    result.scores = scores;
    result.scores[0] = 0;
    if (tied.size() == 1) {
        result.type = qint16(tied.first());
    } else {
        int bestSum = 0;
        for (int t : tied)
            bestSum = std::max(bestSum, s[t - 1] + s[t + 1]);
        for (int t : tied) {
            if (s[t - 1] + s[t + 1] == bestSum)
                result.type = qint16(t);
        }
    }

    const int lower = lowerNeighbour(result.type);
    const int upper = upperNeighbour(result.type);
    if (s[lower] == top || s[lower] == top - 1)
        result.wing1 = qint16(lower);
    if (s[upper] == top || s[upper] == top - 1)
        result.wing2 = qint16(upper);
    return result;
}

QList<int> drawQuestionOrder(QRandomGenerator& random)
{
    std::array<bool, kQuestionCount + 1> asked{};
    QList<int> order;
    order.reserve(kQuestionCount);
    while (order.size() < kQuestionCount) {
        // Redrawing until an unasked question comes up keeps every remaining question equally likely.
        const int i = int(random.generateDouble() * kQuestionCount + 1);
        if (i < 1 || i > kQuestionCount || asked[i])
            continue;
        asked[i] = true;
        order.append(i);
    }
    return order;
}

QString clarityLine(const Scores& scores)
{
    std::array<qint16, 9> sorted{};
    std::copy(scores.begin() + 1, scores.end(), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    if (std::all_of(sorted.begin(), sorted.end(), [](qint16 score) { return score == 0; }))
        return {};
    const int top = sorted[0];
    if (top - sorted[1] >= 2)
        return QStringLiteral("Résultat net");
    QStringList close;
    for (int type = 1; type <= 9; ++type) {
        if (scores[type] >= top - 1)
            close << QString::number(type);
    }
    const QString last = close.takeLast();
    // This wording is fixed word for word, the ordinary space before the colon included.
    return QStringLiteral("Résultat à confirmer : les types ") + close.join(QStringLiteral(", ")) +
           QStringLiteral(" et ") + last + QStringLiteral(" ont des scores proches");
}
