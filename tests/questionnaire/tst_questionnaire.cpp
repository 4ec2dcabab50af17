#include "MainWindowTest.h"
#include "questionnaire/Questions.h"

#include <QGroupBox>
#include <QRandomGenerator>
#include <QSet>

class TestQuestionnaire : public MainWindowTest
{
    Q_OBJECT

    // The order the fixture's seed draws.
    static QList<int> drawnOrder()
    {
        QRandomGenerator random(20261207u);
        return drawQuestionOrder(random);
    }
    // Meant answers: "yes" to the nine questions of type 4 and to seven of type 5, so type 4 with no wing, while
    // one more "yes" for type 5 would make it a wing.
    static MessageAnswer meant(int question)
    {
        return question >= 28 && question <= 43 ? MessageAnswer::Yes : MessageAnswer::No;
    }
    static Scores meantScores() { return Scores{0, 0, 0, 0, 9, 7, 0, 0, 0, 0}; }
    static QString progress(int number) { return QStringLiteral("Question %1 sur 81").arg(number); }
    static QString offer(int answered)
    {
        return QStringLiteral("Vous avez déjà répondu à %1 questions sur 81. Reprendre le questionnaire là où vous "
                              "l'avez laissé ?")
            .arg(answered);
    }
    void queueMeant(const QList<int>& order, int from, int to)
    {
        for (int p = from; p < to; ++p)
            f->messages.answers.enqueue(meant(order[p]));
    }
    void showsMeantProfile()
    {
        QCOMPARE(f->text("te1"), QStringLiteral(" 4"));
        QCOMPARE(f->text("aile1"), QStringLiteral(" 0"));
        QCOMPARE(f->text("aile2"), QStringLiteral(" 0"));
        QCOMPARE(f->window->state().scores, meantScores());
    }

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
        for (int n = 0; n < 81; ++n) {
            const auto& shown = f->messages.transcript[n];
            QCOMPARE(shown.request.title, QStringLiteral("Questionnaire"));
            QCOMPARE(shown.request.buttons, MessageButtons::YesNoCancel);
            QCOMPARE(shown.request.icon, MessageIcon::Question);
            QCOMPARE(shown.request.defaultButton, MessageAnswer::Yes);
            QCOMPARE(shown.request.informativeText, progress(n + 1));
            QCOMPARE(shown.request.previous, n == 0 ? PreviousButton::Disabled : PreviousButton::Enabled);
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
        QCOMPARE(f->text("clarityLabel"), QStringLiteral("Résultat net"));
    }

    // A "yes" given by mistake to a type 5 question, taken back with "Précédente" at once or three questions later.
    void slipCorrectedByPrevious_data()
    {
        QTest::addColumn<int>("stepsBack");
        QTest::newRow("noticed at the next question") << 1;
        QTest::newRow("noticed three questions later") << 3;
    }
    void slipCorrectedByPrevious()
    {
        QFETCH(int, stepsBack);
        const QList<int> order = drawnOrder();
        int slip = int(order.indexOf(44));
        if (slip + stepsBack > 81)
            slip = int(order.indexOf(45));
        QVERIFY(slip > 0 && slip + stepsBack <= 81);
        queueMeant(order, 0, slip);
        f->messages.answers.enqueue(MessageAnswer::Yes);
        queueMeant(order, slip + 1, slip + stepsBack);
        for (int i = 0; i < stepsBack; ++i)
            f->messages.answers.enqueue(MessageAnswer::Previous);
        queueMeant(order, slip, 81);
        f->button("questionnaireButton")->click();

        const auto& shown = f->messages.transcript;
        QCOMPARE(shown.size(), 81 + 2 * stepsBack);
        const MessageRequest& again = shown[slip + 2 * stepsBack].request;
        QCOMPARE(again.text, shown[slip].request.text);
        QCOMPARE(again.informativeText, progress(slip + 1));
        showsMeantProfile();
    }

    // Annuler after ten answers, then the same names again: the run goes on from question 11 and scores all 81.
    void cancelledRunResumes_data()
    {
        QTest::addColumn<bool>("backFirst");
        QTest::newRow("straight on") << false;
        QTest::newRow("back to the last answer before the pause") << true;
    }
    void cancelledRunResumes()
    {
        QFETCH(bool, backFirst);
        const QList<int> order = drawnOrder();
        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Durand");
        queueMeant(order, 0, 10);
        f->messages.answers.enqueue(MessageAnswer::Cancel);
        f->button("questionnaireButton")->click();
        const QStringList firstRun = f->messages.texts().mid(0, 10);
        f->messages.transcript.clear();

        f->field("partnerFirstNameField")->setText("Luc");
        f->messages.answers.enqueue(MessageAnswer::Yes);
        if (backFirst) {
            f->messages.answers.enqueue(MessageAnswer::Previous);
            queueMeant(order, 9, 10);
        }
        queueMeant(order, 10, 81);
        f->button("questionnaireButton")->click();

        const auto& shown = f->messages.transcript;
        const MessageRequest& question = shown.first().request;
        QCOMPARE(question.text, offer(10));
        QCOMPARE(question.title, QStringLiteral("Questionnaire"));
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.defaultButton, MessageAnswer::Yes);
        QCOMPARE(shown[1].request.informativeText, progress(11));
        int next = 1;
        if (backFirst) {
            QCOMPARE(shown[2].request.informativeText, progress(10));
            QCOMPARE(shown[2].request.text, firstRun.last());
            next = 3;
        }
        QCOMPARE(shown.size(), next + 71);
        QSet<QString> asked(firstRun.begin(), firstRun.end());
        for (int n = 0; n < 71; ++n) {
            QCOMPARE(shown[next + n].request.informativeText, progress(11 + n));
            asked.insert(shown[next + n].request.text);
        }
        QCOMPARE(asked.size(), 81);
        showsMeantProfile();
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Anne"));
        QVERIFY(f->field("partnerFirstNameField")->text().isEmpty());

        // A completed run keeps nothing.
        f->messages.transcript.clear();
        f->messages.answers.enqueue(MessageAnswer::Cancel);
        f->button("questionnaireButton")->click();
        QCOMPARE(f->messages.transcript.first().request.informativeText, progress(1));
    }

    // Three answers, Annuler, something else, then the questionnaire again: is going on offered?
    void resumeOfferedOnlyForTheSameNames_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("offered");
        QTest::newRow("nothing") << QString() << true;
        QTest::newRow("the partner's first name typed") << "partner" << true;
        QTest::newRow("another person's first name") << "other" << false;
        QTest::newRow("a letter of the last name typed, then typed back") << "retyped" << false;
        QTest::newRow("Effacer tout, then the same names") << "clear" << false;
        QTest::newRow("Non to the offer, then Annuler at once") << "non" << false;
    }
    void resumeOfferedOnlyForTheSameNames()
    {
        QFETCH(QString, between);
        QFETCH(bool, offered);
        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Durand");
        f->answerEvery(MessageAnswer::Yes, 3);
        f->messages.answers.enqueue(MessageAnswer::Cancel);
        f->button("questionnaireButton")->click();

        if (between == "partner") {
            QTest::keyClicks(f->field("partnerFirstNameField"), "Luc");
        } else if (between == "other") {
            f->field("firstNameField")->setText("Luc");
        } else if (between == "retyped") {
            QTest::keyClick(f->field("lastNameField"), Qt::Key_Backspace);
            QTest::keyClicks(f->field("lastNameField"), "d");
        } else if (between == "clear") {
            f->button("clearAllButton")->click();
            f->field("firstNameField")->setText("Anne");
            f->field("lastNameField")->setText("Durand");
        } else if (between == "non") {
            f->messages.answers << MessageAnswer::No << MessageAnswer::Cancel;
            f->button("questionnaireButton")->click();
            QCOMPARE(f->messages.texts().at(4), offer(3));
            QCOMPARE(f->messages.transcript.last().request.informativeText, progress(1));
        }
        QCOMPARE(f->field("lastNameField")->text(), QStringLiteral("Durand"));
        f->messages.transcript.clear();
        if (offered)
            f->messages.answers.enqueue(MessageAnswer::Yes);
        f->messages.answers.enqueue(MessageAnswer::Cancel);
        f->button("questionnaireButton")->click();
        QCOMPARE(f->messages.texts().first() == offer(3), offered);
        QCOMPARE(f->messages.transcript.last().request.informativeText, progress(offered ? 4 : 1));
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
