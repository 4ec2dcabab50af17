#include "platform/MessageService.h"

#include <QAbstractButton>
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

    void pressWhenShown(int key)
    {
        QTimer::singleShot(0, this, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            m_caption = box->windowTitle();
            m_icon = box->icon();
            m_buttons.clear();
            for (QAbstractButton* b : box->buttons())
                m_buttons << b->text();
            m_defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
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
