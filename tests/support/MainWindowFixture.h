#pragma once

#include "FakeServices.h"
#include "ReopenPerson.h"
#include "app/MainWindow.h"
#include "widgets/EnneagramFigure.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// A real main window offscreen, with message boxes and printing answered by fakes and a fresh data folder.
struct MainWindowFixture
{
    FakeMessageService messages;
    FakePrintService printer;
    QTemporaryDir dataDir;
    std::unique_ptr<MainWindow> window;

    MainWindowFixture()
    {
        Services services;
        services.messages = &messages;
        services.printer = &printer;
        services.dataFolder = dataDir.path() + "/";
        services.randomSeed = [] { return 20261207u; };
        window = std::make_unique<MainWindow>(services);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // A window the test left open (a box, a dialog, the help) is reported before anything is closed; then
    // everything goes, so that the next test starts clean even after a failure.
    ~MainWindowFixture()
    {
        const QStringList left = strayWindows();
        if (!left.isEmpty() && QTest::currentTestFunction() && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(QStringLiteral("windows left open: ") + left.join(u", ")), __FILE__, __LINE__);
        window.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
    }

    // Visible top-level windows other than the main window, by class and title.
    QStringList strayWindows() const
    {
        QStringList left;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != window.get() && w->isVisible())
                left << QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), w->windowTitle());
        }
        return left;
    }

    QString dataFolder() const { return dataDir.path() + "/"; }

    template <typename T = QWidget> T* find(const QString& name) const
    {
        T* child = window->findChild<T*>(name);
        if (!child)
            qWarning("no control named %s", qPrintable(name));
        return child;
    }
    QLineEdit* field(const QString& name) const { return find<QLineEdit>(name); }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    QString text(const QString& name) const { return label(name)->text(); }
    EnneagramFigure* detailsFigure() const { return find<EnneagramFigure>("detailsFigureNumbers"); }
    EnneagramFigure* interactionFigure() const { return find<EnneagramFigure>("interactionFigureNumbers"); }

    // The names as they stand, reopened as the user with this type, wings and profile, then "Calculer". Reopening
    // empties the partner's line, as it does for the user.
    void computeFrom(const QString& type, const QString& wing1, const QString& wing2, const Scores& scores = {})
    {
        const PersonRecord person{field("lastNameField")->text(), field("firstNameField")->text(), type, wing1, wing2,
                                  profileDigits(scores)};
        reopenAsUser(*window, dataFolder(), person);
        button("computeButton")->click();
    }

    void answerEvery(MessageAnswer answer, int count = 81)
    {
        for (int i = 0; i < count; ++i)
            messages.answers.enqueue(answer);
    }
};
