#include "DirectoryFiles.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace testfiles;
using fileaccess::LinkAtTarget;

Q_DECLARE_METATYPE(LinkAtTarget)

class TestFileAccess : public QObject
{
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Every name in the two folders a write may touch, temporary files included.
    QStringList names() const
    {
        return QDir(path("chosen")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot) +
               QDir(path("elsewhere")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        QVERIFY(QDir().mkdir(path("chosen")) && QDir().mkdir(path("elsewhere")));
    }
    void cleanup() { delete m_dir; }

    // Only the name chosen is replaced, by the whole content, and nothing else is left beside it. A link there is
    // replaced as a name unless the caller follows it; a name of 255 bytes, the most a folder entry holds, is
    // replaced as well as a short one.
    void writeReplacesTheNameChosen_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("name");
        QTest::addColumn<LinkAtTarget>("links");
        QTest::addColumn<QString>("written");      // where the content lands
        QTest::addColumn<QByteArray>("elsewhere"); // what elsewhere/doc holds afterwards
        QTest::addColumn<QStringList>("after");
        const QString longName = QString(251, u'r') + ".pdf";
        QTest::newRow("new file") << ""
                                  << "r.pdf" << LinkAtTarget::Replace << "chosen/r.pdf" << QByteArray("<missing>")
                                  << QStringList{"r.pdf"};
        QTest::newRow("earlier file") << "file"
                                      << "r.pdf" << LinkAtTarget::Replace << "chosen/r.pdf" << QByteArray("<missing>")
                                      << QStringList{"r.pdf"};
        QTest::newRow("link to a file elsewhere, replaced as a name")
            << "link"
            << "r.pdf" << LinkAtTarget::Replace << "chosen/r.pdf" << QByteArray("theirs")
            << QStringList{"r.pdf", "doc"};
        QTest::newRow("dangling link, replaced as a name")
            << "dangling"
            << "r.pdf" << LinkAtTarget::Replace << "chosen/r.pdf" << QByteArray("<missing>") << QStringList{"r.pdf"};
        QTest::newRow("link followed, the file it leads to replaced")
            << "link"
            << "r.pdf" << LinkAtTarget::Follow << "elsewhere/doc" << QByteArray("new") << QStringList{"r.pdf", "doc"};
        QTest::newRow("name of 255 bytes over an earlier file")
            << "file" << longName << LinkAtTarget::Replace << "chosen/" + longName << QByteArray("<missing>")
            << QStringList{longName};
    }
    void writeReplacesTheNameChosen()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, name);
        QFETCH(LinkAtTarget, links);
        QFETCH(QString, written);
        QFETCH(QByteArray, elsewhere);
        QFETCH(QStringList, after);
        const QString target = path("chosen/" + name);
#ifndef Q_OS_UNIX
        if (setUp == "link" || setUp == "dangling")
            QSKIP("symbolic links are made here with the Unix call");
#endif
        if (setUp == "file") {
            write(target, "earlier");
        } else if (setUp == "link") {
            write(path("elsewhere/doc"), "theirs");
            QVERIFY(QFile::link(path("elsewhere/doc"), target));
        } else if (setUp == "dangling") {
            QVERIFY(QFile::link(path("elsewhere/doc"), target));
        }
        QCOMPARE(fileaccess::writeWholeFile(target, "new", std::nullopt, links), std::nullopt);
        QCOMPARE(bytes(path(written)), QByteArray("new"));
        QCOMPARE(bytes(path("elsewhere/doc")), elsewhere);
        QCOMPARE(QFileInfo(target).isSymLink(), links == LinkAtTarget::Follow);
        QCOMPARE(names(), after);
    }

    // The final rename itself fails (something put at the name between the two steps): the failure is told, the
    // thing there left alone, no temporary file left.
    void failedRenameIsTold()
    {
#ifndef Q_OS_UNIX
        QSKIP("a rename over a folder fails on Unix only: Wine lets the file take the folder's place");
#endif
        const QString target = path("chosen/r.pdf");
        write(target, "earlier");
        fileaccess::PendingWrite pending(target);
        QCOMPARE(pending.prepare("new"), std::nullopt);
        QVERIFY(QFile::remove(target) && QDir().mkpath(target + "/inside"));
        QCOMPARE(pending.commit(), QStringLiteral("c'est un dossier, pas un fichier"));
        QVERIFY(QFileInfo(target + "/inside").isDir());
        QCOMPARE(names(), QStringList{"r.pdf"});
    }

    // Through a link, the folder that refuses is not the one the user sees: the reason names it.
    void refusingFolderBehindALinkIsNamed()
    {
#ifndef Q_OS_UNIX
        QSKIP("symbolic links are made here with the Unix call");
#endif
        const QString target = path("chosen/prrep.txt");
        QVERIFY(QFile::link(path("gone/prrep.txt"), target));
        QCOMPARE(fileaccess::writeWholeFile(target, "new", std::nullopt, LinkAtTarget::Follow),
                 QStringLiteral("le dossier n'existe pas (dossier «\u00a0%1\u00a0»)")
                     .arg(QDir::toNativeSeparators(path("gone"))));
        QCOMPARE(names(), QStringList{"prrep.txt"});
    }
};

QTEST_GUILESS_MAIN(TestFileAccess)
#include "tst_fileaccess.moc"
