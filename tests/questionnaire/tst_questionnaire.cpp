#include "MainWindowTest.h"
#include "questionnaire/Questions.h"

#include <QGroupBox>
#include <QRandomGenerator>
#include <QSet>

class TestQuestionnaire : public MainWindowTest
{
    Q_OBJECT

private slots:
    void asksEveryQuestionOnceThenShowsTheType()
    {
        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Durand");
        f->field("partnerFirstNameField")->setText("Luc");
        f->answerEvery(MessageAnswer::No);
        f->button("questionnaireButton")->click();

        QCOMPARE(f->messages.transcript.size(), 81);
        QSet<QString> asked;
        for (const auto& shown : f->messages.transcript) {
            QCOMPARE(shown.request.title, QStringLiteral("Questionnaire"));
            QCOMPARE(shown.request.buttons, MessageButtons::YesNoCancel);
            QCOMPARE(shown.request.icon, MessageIcon::Question);
            QCOMPARE(shown.request.defaultButton, MessageAnswer::Yes);
            asked.insert(shown.request.text);
        }
        QCOMPARE(asked.size(), 81);
        QVERIFY(f->messages.unexpected.isEmpty());

        QCOMPARE(f->text("te1"), QStringLiteral(" 9"));
        QCOMPARE(f->text("aile1"), QStringLiteral(" 8"));
        QCOMPARE(f->text("aile2"), QStringLiteral(" 1"));
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Anne"));
        QCOMPARE(f->field("lastNameField")->text(), QStringLiteral("Durand"));
        QVERIFY(f->field("partnerFirstNameField")->text().isEmpty());
        QCOMPARE(f->text("synthesisTypeValue"), QStringLiteral("9"));
        QCOMPARE(f->text("wingValue"), QStringLiteral("8 / 1"));
    }

    void yesAnswersScoreTheirType()
    {
        // Answer "yes" exactly to the questions of type 4 and to six of type 5.
        const QStringList& questions = questionTexts();
        QSet<QString> yes;
        for (int i = 28; i <= 36; ++i)
            yes.insert(questions[i]);
        for (int i = 37; i <= 42; ++i)
            yes.insert(questions[i]);
        // The order is fixed by the seed, so the answers can be queued question by question.
        QRandomGenerator random(20261207u);
        for (int i : drawQuestionOrder(random))
            f->messages.answers.enqueue(yes.contains(questions[i]) ? MessageAnswer::Yes : MessageAnswer::No);
        f->button("questionnaireButton")->click();
        QCOMPARE(f->text("te1"), QStringLiteral(" 4"));
        QCOMPARE(f->text("aile1"), QStringLiteral(" 0"));
        QCOMPARE(f->text("aile2"), QStringLiteral(" 0"));
        QCOMPARE(f->window->state().scores[4], qint16(9));
        QCOMPARE(f->window->state().scores[5], qint16(6));
        QCOMPARE(f->window->state().activeType, qint16(4));
    }

    void cancelKeepsOnlyTheNames_data()
    {
        QTest::addColumn<int>("answered");
        QTest::newRow("cancel at the first question") << 0;
        QTest::newRow("cancel at the fortieth question") << 39;
    }
    void cancelKeepsOnlyTheNames()
    {
        QFETCH(int, answered);
        f->computeFrom("3", "2", "0");
        f->field("firstNameField")->setText("Anne");
        f->answerEvery(MessageAnswer::Yes, answered);
        f->messages.answers.enqueue(MessageAnswer::Cancel);
        f->button("questionnaireButton")->click();

        QCOMPARE(f->messages.transcript.size(), answered + 1);
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Anne"));
        QVERIFY(f->text("te1").isEmpty());
        QVERIFY(f->text("synthesisTypeValue").isEmpty());
        QVERIFY(f->find<QGroupBox>("profileFrame")->isHidden());
        QVERIFY(!f->button("synthesisButton")->isEnabled());
        QCOMPARE(f->window->state().scores, Scores{});
        QCOMPARE(f->window->state().activeType, qint16(3)); // the earlier result's type stays active
    }
};

QTEST_MAIN(TestQuestionnaire)
#include "tst_questionnaire.moc"
