#pragma once

#include "persons/PersonRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// Files on disk and records, as the directory tests write and read them.
namespace testfiles {

// One stored user, as older files hold it: the record most tests start from.
inline const QByteArray kStoredRecord = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";

inline QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

inline PersonRecord user(const QString& last, const QString& first, const QString& type = QStringLiteral("5"),
                         const QString& w1 = QStringLiteral("4"), const QString& w2 = QStringLiteral("0"),
                         const QString& profile = QStringLiteral("361792450"))
{
    return {last, first, type, w1, w2, profile};
}

inline PersonRecord partner(const QString& last, const QString& first, const QString& type = QStringLiteral("3"))
{
    return {last, first, type, {}, {}, {}};
}

} // namespace testfiles
