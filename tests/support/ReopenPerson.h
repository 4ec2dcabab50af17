#pragma once

#include "app/MainWindow.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Takes a person back as the user the way the user does, through "Ouvrir..." and "-> Vous": the person is the only
// line of the directory file for the time of the choice, then the file is put back as it was (or removed).
inline void reopenAsUser(MainWindow& window, const QString& dataFolder, const PersonRecord& person)
{
    QFile file(directoryFilePath(dataFolder));
    const bool existed = file.exists();
    QByteArray before;
    if (existed && file.open(QIODevice::ReadOnly)) {
        before = file.readAll();
        file.close();
    }
    const auto write = [&file](const QByteArray& bytes) {
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(bytes);
            file.close();
        }
    };
    write(formatRecordLine(person) + "\r\n");
    QTimer::singleShot(0, &window, [] {
        auto* dialog = qobject_cast<OpenPersonDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* list = dialog->findChild<QListView*>(QStringLiteral("personList"));
        list->setCurrentIndex(list->model()->index(0, 0));
        dialog->findChild<QPushButton*>(QStringLiteral("toUserButton"))->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    window.findChild<QAction*>(QStringLiteral("m_ouvrir"))->trigger();
    // Without a window manager nothing hands the activation back once the dialog has closed.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the main window did not become active again");
    if (existed)
        write(before);
    else
        file.remove();
}
