#include "persons/ThemeText.h"

#include <QtTest>

class TestTheme : public QObject
{
    Q_OBJECT
private slots:
    void themeOfAResult()
    {
        ShownProfile in;
        in.firstName = "Anne";
        in.lastName = "Durand";
        in.details = {"4", "5", "2", "1", "Envie", "Equanimité", "1", "2"};
        QCOMPARE(themeText(in), QStringLiteral("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de Anne Durand\t\r\n"
                                               "\r\n\r\n"
                                               "Type Ennéagramme : 4\r\n"
                                               "Aile : 5\r\n"
                                               "Point de charge : 2\r\n"
                                               "Point de décharge : 1\r\n"
                                               "Passion : Envie\r\n"
                                               "Antidote : Equanimité\r\n"
                                               "Voie d'évolution : 1 et 2\r\n"
                                               "\r\n"));
    }

    void clearedPageKeepsLabelsAndNamesAsTheyStand()
    {
        ShownProfile in;
        in.firstName = " Anne";
        const QString text = themeText(in);
        QVERIFY(text.startsWith("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de  Anne \t\r\n"));
        QVERIFY(text.contains("\r\nAile : \r\n"));
        QVERIFY(text.endsWith("Voie d'évolution :  et \r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTheme)
#include "tst_theme.moc"
