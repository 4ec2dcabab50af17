#pragma once

#include "platform/MessageService.h"
#include "platform/PrintService.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTextDocument>
#include <QtTest>

// Answers message boxes from a queue and keeps a transcript. Every box, an OK-only one too, takes the next queued
// answer: a box no answer was queued for, or an answer the box does not offer, is recorded as a problem and
// answered Cancel (never blocks), and answers still queued when the fake goes away are a problem too. The
// problems fail the running test when the fake is destroyed, unless the test failed already.
class FakeMessageService : public MessageService
{
public:
    struct Shown
    {
        MessageRequest request;
        MessageAnswer answer;
    };

    FakeMessageService() = default;
    FakeMessageService(const FakeMessageService&) = delete;
    FakeMessageService& operator=(const FakeMessageService&) = delete;
    ~FakeMessageService() override
    {
        const QStringList found = problems();
        if (!found.isEmpty() && QTest::currentTestFunction() && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(found.join(u'\n')), __FILE__, __LINE__);
    }

    MessageAnswer show(QWidget*, const MessageRequest& request) override
    {
        MessageAnswer answer = MessageAnswer::Cancel;
        if (answers.isEmpty()) {
            unexpected.append(QStringLiteral("box without a queued answer: ") + request.text);
        } else if (!offers(request, answers.head())) {
            unexpected.append(QStringLiteral("queued answer not offered by the box: ") + request.text);
            answers.dequeue();
        } else {
            answer = answers.dequeue();
        }
        transcript.append({request, answer});
        return answer;
    }

    // What went wrong so far: unexpected boxes, then answers nobody asked for.
    QStringList problems() const
    {
        QStringList list = unexpected;
        if (!answers.isEmpty())
            list << QStringLiteral("%1 queued answer(s) left unused").arg(answers.size());
        return list;
    }

    // Forgets the transcript and the problems, for a fake that outlives one test function.
    void reset()
    {
        answers.clear();
        transcript.clear();
        unexpected.clear();
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown& shown : transcript)
            list << shown.request.text;
        return list;
    }

    QQueue<MessageAnswer> answers;
    QList<Shown> transcript;
    QStringList unexpected;

private:
    // "Précédente" only where the box shows it enabled: a test must not step back from a first question.
    static bool offers(const MessageRequest& request, MessageAnswer answer)
    {
        if (answer == MessageAnswer::Previous)
            return request.previous == PreviousButton::Enabled;
        switch (request.buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer != MessageAnswer::Ok;
        }
        return false;
    }
};

// The test saw exactly one box, this one: text, title, buttons and icon, each compared on its own so that a failure
// names what differs.
inline void compareOnlyBox(const FakeMessageService& messages, const MessageRequest& expected)
{
    QCOMPARE(messages.transcript.size(), 1);
    const MessageRequest& box = messages.transcript[0].request;
    QCOMPARE(box.text, expected.text);
    QCOMPARE(box.title, expected.title);
    QCOMPARE(box.buttons, expected.buttons);
    QCOMPARE(box.icon, expected.icon);
}

class FakePrintService : public PrintService
{
public:
    PrintOutcome print(QWidget*, const QString& text, const QFont& font) override
    {
        printed.append(text);
        fonts.append(font);
        return outcome;
    }

    // What a printout of the document holds: its text and its number of pages.
    PrintOutcome printDocument(QWidget*, const QTextDocument& document) override
    {
        printedDocuments.append({document.toPlainText(), document.pageCount()});
        return outcome;
    }

    // Answers the save dialog with the next path of the queue; an empty queue is a cancel.
    QString askSavePath(QWidget*, const QString& caption, const QString& suggestedPath, const QString& filter,
                        const QString& suffix) override
    {
        saveDialogs.append({caption, suggestedPath, filter, suffix});
        return savePaths.isEmpty() ? QString() : savePaths.dequeue();
    }

    struct PrintedDocument
    {
        QString text;
        int pages = 0;
    };
    struct SaveDialog
    {
        QString caption, suggestedPath, filter, suffix;
    };

    PrintOutcome outcome = PrintOutcome::Printed;
    QStringList printed;
    QList<QFont> fonts;
    QList<PrintedDocument> printedDocuments;
    QQueue<QString> savePaths;
    QList<SaveDialog> saveDialogs;
};
