// Measures Psyche Rondo's start-up against a bare Qt window (time, memory and, under valgrind, instructions), every
// user action on the real widgets (offscreen), the complete report of each type and the person directory at 100,
// 10,000, 100,000 and 1,000,000 persons. Prints Markdown tables of medians.
// Usage: QT_QPA_PLATFORM=offscreen psyche-bench

#include "FakeServices.h"
#include "ReopenPerson.h"
#include "app/MainWindow.h"
#include "interpretation/ReportDocument.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"
#include "platform/PagedDocument.h"
#include "typology/DetailsPage.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Median in milliseconds of `runs` timed calls of `action`, each preceded by an untimed `prepare`.
double timeAction(int runs, const std::function<void()>& prepare, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        action();
        QApplication::processEvents(); // layout and painting of what the action changed
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

struct Startup
{
    double milliseconds = 0;
    double peakKiB = 0;
};

// One start of the program: milliseconds to its first paint and its peak memory, or nothing when it failed.
std::optional<Startup> startOnce(const QString& program, const QTemporaryDir& home)
{
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", home.path());
        process.setProcessEnvironment(env);
        const auto start = std::chrono::steady_clock::now().time_since_epoch();
        process.start(program, {});
        if (!process.waitForFinished(30000)) {
            std::fprintf(stderr, "%s did not finish\n", qPrintable(program));
            return std::nullopt;
        }
        const QList<QByteArray> parts = process.readAllStandardOutput().trimmed().split(' ');
        if (parts.size() != 3 || parts[0] != "READY") {
            std::fprintf(stderr, "%s printed no READY line\n", qPrintable(program));
            return std::nullopt;
        }
        const double ready = parts[1].toDouble();
        return Startup{(ready - double(std::chrono::nanoseconds(start).count())) / 1e6, parts[2].toDouble()};
    }
}

// Starts both programs in turn, so that a busy moment of the machine weighs on both alike.
std::pair<Startup, Startup> measureStartups(const QString& bare, const QString& psyche, int runs)
{
    QTemporaryDir home;
    std::vector<double> bareTimes, bareMemory, psycheTimes, psycheMemory;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Startup> a = startOnce(bare, home);
        const std::optional<Startup> b = startOnce(psyche, home);
        if (!a || !b)
            return {};
        bareTimes.push_back(a->milliseconds);
        bareMemory.push_back(a->peakKiB);
        psycheTimes.push_back(b->milliseconds);
        psycheMemory.push_back(b->peakKiB);
    }
    return {{median(bareTimes), median(bareMemory)}, {median(psycheTimes), median(psycheMemory)}};
}

// Instructions one start of the program executes up to its first paint, counted by valgrind's callgrind, which
// counts the same whatever else the machine runs; nothing when valgrind is missing or the run failed.
std::optional<double> instructionsOnce(const QString& program, const QTemporaryDir& home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", home.path());
    process.setProcessEnvironment(env);
    process.start("valgrind", {"--tool=callgrind", "--callgrind-out-file=/dev/null", program});
    if (!process.waitForFinished(300000) || process.exitCode() != 0)
        return std::nullopt;
    const QRegularExpressionMatch collected =
        QRegularExpression("Collected : (\\d+)").match(QString::fromUtf8(process.readAllStandardError()));
    return collected.hasMatch() ? std::optional<double>(collected.captured(1).toDouble()) : std::nullopt;
}

QByteArray directoryOf(int persons)
{
    QByteArray content;
    content.reserve(qsizetype(persons) * 48);
    for (int i = 0; i < persons; ++i) {
        const PersonRecord record{QStringLiteral("Nom%1").arg(i, 6, 10, QLatin1Char('0')),
                                  QStringLiteral("Prénom%1").arg(i, 6, 10, QLatin1Char('0')),
                                  QString::number(i % 9 + 1),
                                  "0",
                                  "0",
                                  "123456789"};
        content += formatRecordLine(record) + "\r\n";
    }
    return content;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString here = QApplication::applicationDirPath();

    std::printf("## Start-up (11 runs each, offscreen, to the main window's first paint)\n\n");
    std::printf("| Program | Median time (ms) | Median peak memory (KiB) |\n|---|---:|---:|\n");
    const auto [bare, psyche] = measureStartups(here + "/startup-bare", here + "/startup-psyche", 11);
    std::printf("| bare Qt main window | %.1f | %.0f |\n", bare.milliseconds, bare.peakKiB);
    std::printf("| Psyche Rondo | %.1f | %.0f |\n", psyche.milliseconds, psyche.peakKiB);
    std::printf("| ratio | %.2f | %.2f |\n\n", psyche.milliseconds / bare.milliseconds, psyche.peakKiB / bare.peakKiB);
    {
        QTemporaryDir home;
        const std::optional<double> bareCount = instructionsOnce(here + "/startup-bare", home);
        const std::optional<double> psycheCount = instructionsOnce(here + "/startup-psyche", home);
        if (bareCount && psycheCount) {
            std::printf("Instructions to the first paint (callgrind): bare %.1fM, Psyche Rondo %.1fM, ratio %.2f\n\n",
                        *bareCount / 1e6, *psycheCount / 1e6, *psycheCount / *bareCount);
        } else {
            std::printf("Instructions to the first paint: not measured (valgrind is missing or failed)\n\n");
        }
    }

    FakeMessageService messages;
    FakePrintService printer;
    QTemporaryDir data;
    Services services{&messages, &printer, data.path() + "/", [] { return 1u; }};
    MainWindow window(services);
    window.show();
    QApplication::processEvents();
    const auto button = [&](const char* name) { return window.findChild<QPushButton*>(name); };
    const QString profile = profileDigits(Scores{0, 3, 5, 2, 7, 6, 1, 0, 4, 2});
    const auto compute = [&] { reopenAsUser(window, services.dataFolder, {{}, {}, "4", "3", "5", profile}); };
    const auto nothing = [] {};
    const int runs = 101;

    std::printf("## User actions (median of %d runs, real widgets offscreen; target 16 ms)\n\n", runs);
    std::printf("| Action | Median (ms) |\n|---|---:|\n");
    const auto row = [](const char* name, double ms) { std::printf("| %s | %.3f |\n", name, ms); };
    row("Questionnaire: 81 answers, scoring and result",
        timeAction(
            runs,
            [&] {
                for (int i = 0; i < 81; ++i)
                    messages.answers.enqueue(i % 3 ? MessageAnswer::No : MessageAnswer::Yes);
            },
            [&] { button("questionnaireButton")->click(); }));
    row("\"Calculer\" (top strip)", timeAction(runs, compute, [&] { button("computeButton")->click(); }));
    compute();
    button("computeButton")->click();
    row("\"Interpréter\" Synthèse", timeAction(runs, nothing, [&] { button("synthesisButton")->click(); }));
    row("\"Interpréter\" Détails", timeAction(runs, nothing, [&] { button("detailsButton")->click(); }));
    row("\"Interpréter\" Carré fondamental", timeAction(runs, nothing, [&] { button("quadrantButton")->click(); }));
    window.findChild<QLineEdit*>("te2")->setText("7");
    row("\"Calculer\" (interaction)", timeAction(runs, nothing, [&] { button("interactionComputeButton")->click(); }));
    row("\"Interpréter\" Interaction", timeAction(runs, nothing, [&] { button("interactionButton")->click(); }));
    auto* allergy = window.findChild<QComboBox*>("allergyCombo");
    int next = 0;
    row("Choosing a core-quadrant row",
        timeAction(runs, nothing, [&] { allergy->setCurrentIndex(next = (next + 1) % 5); }));
    row("\"Effacer tout\"",
        timeAction(
            runs, [&] { compute(), button("computeButton")->click(); }, [&] { button("clearAllButton")->click(); }));

    std::printf("\n## Complete report (median of 11 runs per type, with a partner; target 300 ms and 1 MB)\n\n");
    std::printf("| Type | Pages | Laid out (ms) | Laid out and written as PDF (ms) | PDF size (KiB) |\n"
                "|---:|---:|---:|---:|---:|\n");
    const auto* details = window.findChild<DetailsPage*>("detailsPage");
    for (int type = 1; type <= 9; ++type) {
        reopenAsUser(window, services.dataFolder, {{}, {}, QString::number(type), "0", "0", profile});
        button("computeButton")->click();
        window.findChild<QLineEdit*>("te2")->setText(QString::number(10 - type));
        button("interactionComputeButton")->click();
        int pages = 0;
        const double laidOut = timeAction(11, nothing, [&] {
            pages = buildReport(window.shownProfile(), details->figureMarks(), QDate::currentDate())->pageCount();
        });
        QByteArray pdf;
        const double written = timeAction(11, nothing, [&] {
            pdf = paged::pdf(*buildReport(window.shownProfile(), details->figureMarks(), QDate::currentDate()),
                             "Psyche Rondo");
        });
        std::printf("| %d | %d | %.1f | %.1f | %.0f |\n", type, pages, laidOut, written,
                    static_cast<double>(pdf.size()) / 1024.0);
    }

    std::printf("\n## Person directory\n\n");
    std::printf(
        "| Persons | Save replacing one (ms) | Open window filled and shown (ms) | Save per 1,000 | Open per "
        "1,000 | Search, per keystroke (ms) | Peak memory so far (MiB) |\n|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const int persons : {100, 10000, 100000, 1000000}) {
        QTemporaryDir folder;
        const QString dataFolder = folder.path() + "/";
        QFile file(directoryFilePath(dataFolder));
        file.open(QIODevice::WriteOnly);
        file.write(directoryOf(persons));
        file.close();
        const int repeats = persons >= 1000000 ? 3 : persons >= 100000 ? 5 : 11;
        const PersonRecord replaced{QStringLiteral("Nom%1").arg(persons / 2, 6, 10, QLatin1Char('0')),
                                    QStringLiteral("Prénom%1").arg(persons / 2, 6, 10, QLatin1Char('0')),
                                    "5",
                                    "4",
                                    "0",
                                    "987654321"};
        const PersonDirectory directory(dataFolder);
        const double save = timeAction(repeats, nothing, [&] {
            directory.save(replaced, PersonRecord{}, [](const QString&, bool) { return true; });
        });
        const double open = timeAction(repeats, nothing, [&] {
            OpenPersonDialog dialog(dataFolder, messages, &window);
            dialog.show();
            QApplication::processEvents();
        });
        // Typing a name into the search field, one keystroke at a time, the list redrawn after each.
        double keystroke = 0;
        {
            OpenPersonDialog dialog(dataFolder, messages, &window);
            dialog.show();
            QApplication::processEvents();
            auto* search = dialog.findChild<QLineEdit*>("searchField");
            const QString typed = QStringLiteral("pr\u00e9nom%1").arg(persons / 3, 6, 10, QLatin1Char('0'));
            std::vector<double> times;
            for (int round = 0; round < 3; ++round) {
                search->clear();
                QApplication::processEvents();
                for (const QChar c : typed) {
                    QElapsedTimer timer;
                    timer.start();
                    search->insert(QString(c));
                    QApplication::processEvents();
                    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                }
            }
            keystroke = median(times);
        }
        rusage usage = {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("| %d | %.2f | %.2f | %.3f | %.3f | %.2f | %.0f |\n", persons, save, open, save * 1000 / persons,
                    open * 1000 / persons, keystroke, double(usage.ru_maxrss) / 1024);
    }
    return 0;
}
