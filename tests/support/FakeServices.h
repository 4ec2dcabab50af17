#pragma once

#include "platform/MessageService.h"
#include "platform/PrintService.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTextDocument>

// Answers message boxes from a queue and keeps a transcript; an unexpected box is recorded and answered Cancel.
class FakeMessageService : public MessageService
{
public:
    struct Shown
    {
        MessageRequest request;
        MessageAnswer answer;
    };

    MessageAnswer show(QWidget*, const MessageRequest& request) override
    {
        MessageAnswer answer = MessageAnswer::Cancel;
        if (request.buttons == MessageButtons::Ok)
            answer = MessageAnswer::Ok;
        else if (!answers.isEmpty())
            answer = answers.dequeue();
        else
            unexpected.append(request.text);
        transcript.append({request, answer});
        return answer;
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
};

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
