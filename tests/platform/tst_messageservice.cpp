#include "platform/MessageService.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Drives real message boxes: a timer finds the open box, records what it shows and presses a key.
class TestMessageService : public QObject
{
    Q_OBJECT

    QString m_caption;
    QStringList m_buttons;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QString m_defaultText;
    QStringList m_enabledButtons;
    QString m_informative;
    QString m_description;

    // Keys pressed in turn; a key that does nothing (a disabled button's shortcut) leaves the box open for the next.
    void pressWhenShown(int key, const QList<QKeyCombination>& before = {})
    {
        QTimer::singleShot(0, this, [this, key, before] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            m_caption = box->windowTitle();
            m_icon = box->icon();
            m_buttons.clear();
            m_enabledButtons.clear();
            for (QAbstractButton* b : box->buttons()) {
                m_buttons << b->text();
                if (b->isEnabled())
                    m_enabledButtons << b->text();
            }
            m_defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            m_informative = box->informativeText();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            m_description = accessible ? accessible->text(QAccessible::Description) : QString();
            if (!before.isEmpty()) {
                QVERIFY(QTest::qWaitForWindowActive(box)); // shortcuts only reach the active window
                for (const QKeyCombination& combination : before)
                    QTest::keyClick(box, combination.key(), combination.keyboardModifiers());
                QTest::qWait(300); // a mnemonic presses its button as a click does: pressed, then released
            }
            if (QApplication::activeModalWidget() == box)
                QTest::keyClick(box, Qt::Key(key));
        });
    }

private slots:
    void questionnaireBox()
    {
        QtMessageService service;
        pressWhenShown(Qt::Key_Return);
        const MessageAnswer answer =
            service.show(nullptr, {"Aimez-vous aider les autres ?", "Questionnaire", MessageButtons::YesNoCancel,
                                   MessageIcon::Question, MessageAnswer::Yes});
        QCOMPARE(answer, MessageAnswer::Yes);
        QCOMPARE(m_caption, QStringLiteral("Questionnaire"));
        QCOMPARE(m_icon, QMessageBox::Question);
        QCOMPARE(m_buttons.size(), 3);
        QVERIFY(m_buttons.contains("Oui") && m_buttons.contains("Non") && m_buttons.contains("Annuler"));
        QCOMPARE(m_defaultText, QStringLiteral("Oui"));

        pressWhenShown(Qt::Key_Escape);
        QCOMPARE(service.show(nullptr, {"?", "Questionnaire", MessageButtons::YesNoCancel, MessageIcon::Question,
                                        MessageAnswer::Yes}),
                 MessageAnswer::Cancel);
    }

    // Alt+P steps back where the button is enabled; on a first question it does nothing, and Escape still cancels.
    void questionnaireBoxWithPrevious_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("enabled");
        const QStringList all{"Oui", "Non", "Annuler", "&Précédente"};
        const QStringList first{"Oui", "Non", "Annuler"};
        QTest::newRow("later question: Alt+P")
            << int(PreviousButton::Enabled) << int(Qt::Key_Escape) << int(MessageAnswer::Previous) << all;
        QTest::newRow("first question: Alt+P, then Escape")
            << int(PreviousButton::Disabled) << int(Qt::Key_Escape) << int(MessageAnswer::Cancel) << first;
        QTest::newRow("first question: Alt+P, then Enter")
            << int(PreviousButton::Disabled) << int(Qt::Key_Return) << int(MessageAnswer::Yes) << first;
    }
    void questionnaireBoxWithPrevious()
    {
        QFETCH(int, previous);
        QFETCH(int, key);
        QFETCH(QStringList, enabled);
        QtMessageService service;
        pressWhenShown(key, {Qt::ALT | Qt::Key_P});
        MessageRequest request{"Aimez-vous tout savoir ?", "Questionnaire", MessageButtons::YesNoCancel,
                               MessageIcon::Question, MessageAnswer::Yes};
        request.informativeText = "Question 12 sur 81";
        request.previous = PreviousButton(previous);
        QTEST(int(service.show(nullptr, request)), "answer");
        QCOMPARE(m_buttons.size(), 4);
        QVERIFY(m_buttons.contains("&Précédente"));
        enabled.sort();
        m_enabledButtons.sort();
        QCOMPARE(m_enabledButtons, enabled);
        QCOMPARE(m_defaultText, QStringLiteral("Oui"));
        QCOMPARE(m_informative, QStringLiteral("Question 12 sur 81"));
        QCOMPARE(m_description, QStringLiteral("Aimez-vous tout savoir ?\nQuestion 12 sur 81"));
    }

    void yesNoEscapeAnswersNo()
    {
        QtMessageService service;
        pressWhenShown(Qt::Key_Escape);
        QCOMPARE(service.show(nullptr, {"Anne Durand a déjà été enregistré, modifier ?", "Attention",
                                        MessageButtons::YesNo, MessageIcon::None, MessageAnswer::Yes}),
                 MessageAnswer::No);
        QCOMPARE(m_buttons, (QStringList{"Oui", "Non"}));
        QCOMPARE(m_icon, QMessageBox::NoIcon);
    }

    void untitledBoxCarriesTheApplicationTitle()
    {
        QtMessageService service;
        pressWhenShown(Qt::Key_Return);
        QCOMPARE(service.show(nullptr, {"Merci d'effectuer d'abord les calculs", QString()}), MessageAnswer::Ok);
        QCOMPARE(m_caption, QStringLiteral("Orvane"));
        QCOMPARE(m_buttons, QStringList{"OK"});
    }
};

QTEST_MAIN(TestMessageService)
#include "tst_messageservice.moc"
