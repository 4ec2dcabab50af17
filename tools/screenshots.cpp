// Renders each page of the main window, with a typical result, into PNG files for the documentation.
// Usage: psyche-screenshots <folder>

#include "FakeServices.h"
#include "ReopenPerson.h"
#include "app/MainWindow.h"
#include "questionnaire/Questions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    FakeMessageService messages;
    FakePrintService printer;
    QTemporaryDir data;
    Services services{&messages, &printer, data.path() + "/", [] { return 7u; }};
    MainWindow window(services);
    window.show();

    window.findChild<QLineEdit*>("firstNameField")->setText(QStringLiteral("Anne"));
    window.findChild<QLineEdit*>("lastNameField")->setText(QStringLiteral("Durand"));
    window.grab().save(folder + "/accueil.png");

    reopenAsUser(window, services.dataFolder,
                 {QStringLiteral("Durand"), QStringLiteral("Anne"), QStringLiteral("4"), QStringLiteral("0"),
                  QStringLiteral("5"), profileDigits(Scores{0, 3, 5, 2, 7, 6, 1, 0, 4, 2})});
    window.compute();
    window.findChild<QLineEdit*>("partnerFirstNameField")->setText(QStringLiteral("Luc"));
    window.findChild<QLineEdit*>("partnerLastNameField")->setText(QStringLiteral("Martin"));
    window.findChild<QLineEdit*>("te2")->setText(QStringLiteral("1"));
    window.computeInteraction();
    window.findChild<QComboBox*>("qualityCombo")->setCurrentIndex(2);

    auto* tabs = window.findChild<QTabWidget*>("mainTabs");
    const char* names[] = {"synthese", "details", "carre", "interaction"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        window.grab().save(folder + "/" + names[i] + ".png");
    }

    window.interpretSynthesis();
    QApplication::processEvents();
    window.interpretationWindow()->grab().save(folder + "/interpretation.png");
    window.interpretationWindow()->close();

    // A box of the questionnaire as it stands at question 12, through the real message service; closing it
    // answers "Annuler".
    QTimer::singleShot(300, [&folder] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->grab().save(folder + "/questionnaire.png");
            box->close();
        }
    });
    MessageRequest question{questionTexts().value(10), QStringLiteral("Questionnaire"), MessageButtons::YesNoCancel,
                            MessageIcon::Question, MessageAnswer::Yes};
    question.informativeText = QStringLiteral("Question 12 sur 81");
    question.previous = PreviousButton::Enabled;
    QtMessageService().show(&window, question);
    return 0;
}
