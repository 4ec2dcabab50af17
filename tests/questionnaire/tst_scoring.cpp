#include "questionnaire/Questions.h"
#include "questionnaire/Scoring.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Scores)

class TestScoring : public QObject
{
    Q_OBJECT

    static Scores scores(std::initializer_list<int> values)
    {
        Scores s{};
        int i = 1;
        for (int v : values)
            s[i++] = qint16(v);
        return s;
    }

private slots:
    void typeAndWings_data()
    {
        QTest::addColumn<Scores>("scores");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("wing1");
        QTest::addColumn<int>("wing2");
        QTest::newRow("single top, upper neighbour one point below")
            << scores({3, 5, 2, 7, 6, 1, 0, 4, 2}) << 4 << 0 << 5;
        QTest::newRow("tie with equal neighbour sums goes to the later type")
            << scores({7, 2, 1, 7, 3, 0, 4, 1, 2}) << 4 << 0 << 0;
        QTest::newRow("tie broken by neighbour sum, 9 counts as neighbour of 1")
            << scores({7, 6, 0, 7, 1, 0, 0, 0, 3}) << 1 << 0 << 2;
        QTest::newRow("all zero: type 9 with wings 8 and 1") << scores({0, 0, 0, 0, 0, 0, 0, 0, 0}) << 9 << 8 << 1;
        QTest::newRow("all nine: type 9 with wings 8 and 1") << scores({9, 9, 9, 9, 9, 9, 9, 9, 9}) << 9 << 8 << 1;
        QTest::newRow("type 1 takes 9 as lower wing") << scores({6, 2, 0, 0, 0, 0, 0, 0, 5}) << 1 << 9 << 0;
        QTest::newRow("type 9 takes 1 as upper wing") << scores({4, 0, 0, 0, 0, 0, 0, 1, 5}) << 9 << 0 << 1;
        QTest::newRow("neighbour two points below is no wing") << scores({0, 0, 5, 7, 5, 0, 0, 0, 0}) << 4 << 0 << 0;
        QTest::newRow("tied neighbour that lost the tie-break is a wing")
            << scores({0, 0, 1, 6, 6, 2, 0, 0, 0}) << 5 << 4 << 0;
    }

    void typeAndWings()
    {
        QFETCH(Scores, scores);
        const TypingResult result = typeFromScores(scores);
        QFETCH(int, type);
        QCOMPARE(int(result.type), type);
        QFETCH(int, wing1);
        QFETCH(int, wing2);
        QCOMPARE(int(result.wing1), wing1);
        QCOMPARE(int(result.wing2), wing2);
        QCOMPARE(result.scores, scores);
    }

    void onlyYesCountsForTheQuestionsOwnType()
    {
        std::array<Answer, kQuestionCount + 1> answers{};
        answers.fill(Answer::No);
        answers[1] = Answer::Yes;  // type 1
        answers[9] = Answer::Yes;  // type 1
        answers[10] = Answer::Yes; // type 2
        answers[81] = Answer::Yes; // type 9
        const Scores s = countYes(answers);
        QCOMPARE(s[1], qint16(2));
        QCOMPARE(s[2], qint16(1));
        QCOMPARE(s[9], qint16(1));
        QCOMPARE(s[3] + s[4] + s[5] + s[6] + s[7] + s[8], 0);
        QCOMPARE(typeOfQuestion(27), 3);
        QCOMPARE(typeOfQuestion(28), 4);
    }

    void everyQuestionIsAskedOnceInAFreshOrder()
    {
        QRandomGenerator first(1);
        QRandomGenerator second(2);
        const QList<int> a = drawQuestionOrder(first);
        const QList<int> b = drawQuestionOrder(second);
        QCOMPARE(a.size(), kQuestionCount);
        QCOMPARE(QSet<int>(a.begin(), a.end()).size(), kQuestionCount);
        QCOMPARE(*std::min_element(a.begin(), a.end()), 1);
        QCOMPARE(*std::max_element(a.begin(), a.end()), kQuestionCount);
        QVERIFY(a != b);
        QRandomGenerator again(1);
        QCOMPARE(drawQuestionOrder(again), a);
    }

    void firstPositionIsRoughlyUniform()
    {
        // Over many runs each question should open the questionnaire about 1/81 of the time.
        std::array<int, kQuestionCount + 1> counts{};
        QRandomGenerator random(42);
        const int runs = 16200;
        for (int run = 0; run < runs; ++run)
            ++counts[drawQuestionOrder(random).first()];
        for (int i = 1; i <= kQuestionCount; ++i)
            QVERIFY2(counts[i] > 120 && counts[i] < 280, qPrintable(QString::number(counts[i])));
    }

    void questionsAreFrenchYesNoQuestions()
    {
        const QStringList& questions = questionTexts();
        QCOMPARE(questions.size(), kQuestionCount + 1);
        QVERIFY(questions[0].isEmpty());
        QCOMPARE(questions[1], QStringLiteral("Craignez vous parfois la pauvreté ?"));
        QCOMPARE(questions[10], QStringLiteral("Aimez-vous aider les autres ?"));
        QCOMPARE(questions[37], QStringLiteral("Aimez-vous tout savoir ?"));
        QSet<QString> distinct;
        for (int i = 1; i <= kQuestionCount; ++i) {
            QVERIFY2(questions[i].endsWith(QStringLiteral(" ?")), qPrintable(questions[i]));
            QVERIFY2(questions[i].count(u'?') == 1, qPrintable(questions[i]));
            // "Vous arrive-t-il..." and "...parfois" draw a "Oui" from nearly everyone, whatever the type.
            if (i != 1)
                QVERIFY2(!questions[i].contains(QStringLiteral("arrive-t-il")) &&
                             !questions[i].contains(QStringLiteral("parfois")),
                         qPrintable(questions[i]));
            distinct.insert(questions[i]);
        }
        QCOMPARE(distinct.size(), kQuestionCount);
    }

    void clarityLine_data()
    {
        QTest::addColumn<QList<int>>("scores"); // types 1 to 9
        QTest::addColumn<QString>("line");
        QTest::newRow("lead of 2") << QList<int>{3, 5, 2, 7, 1, 1, 0, 4, 2} << u"Résultat net"_s;
        QTest::newRow("lead of 1: top and next") << QList<int>{3, 5, 2, 7, 6, 1, 0, 4, 2}
                                                 << u"Résultat à confirmer : les types 4 et 5 ont des scores proches"_s;
        QTest::newRow("tie at the top") << QList<int>{9, 0, 0, 0, 0, 0, 0, 0, 9}
                                        << u"Résultat à confirmer : les types 1 et 9 ont des scores proches"_s;
        QTest::newRow("three close, in increasing order")
            << QList<int>{1, 0, 0, 0, 0, 6, 5, 6, 2}
            << u"Résultat à confirmer : les types 6, 7 et 8 ont des scores proches"_s;
        QTest::newRow("four close") << QList<int>{4, 4, 3, 0, 3, 0, 0, 0, 0}
                                    << u"Résultat à confirmer : les types 1, 2, 3 et 5 ont des scores proches"_s;
        QTest::newRow("one yes in all") << QList<int>{0, 0, 1, 0, 0, 0, 0, 0, 0}
                                        << u"Résultat à confirmer : les types 1, 2, 3, 4, 5, 6, 7, 8 et 9 ont des "
                                           "scores proches"_s;
        QTest::newRow("no profile") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0} << QString();
    }
    void clarityLine()
    {
        QFETCH(QList<int>, scores);
        QFETCH(QString, line);
        Scores values{};
        for (int type = 1; type <= 9; ++type)
            values[type] = qint16(scores[type - 1]);
        QCOMPARE(::clarityLine(values), line);
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
