#include "MainWindowTest.h"

#include <QLabel>
#include <QTabWidget>

using namespace Qt::StringLiterals;

// Positions on the pages are given in twips from the tab control's top-left corner; whatever the style makes of the
// tab bar and frame, each control and the figure must land there (15 twips to a pixel, one pixel of rounding).
class TestPageLayout : public MainWindowTest
{
    Q_OBJECT

    QTabWidget* tabs() const { return f->find<QTabWidget>(u"mainTabs"_s); }
    static int px(int twips) { return qRound(twips / 15.0); }
    static bool near(int actual, int expected) { return qAbs(actual - expected) <= 1; }
    QImage shownPage(int page) const
    {
        tabs()->setCurrentIndex(page);
        return tabs()->grab().toImage();
    }

private slots:
    void controlsSitAtTheirTwips_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Synthèse: questionnaire") << 0 << u"questionnaireButton"_s << QRect(4200, 1740, 4215, 615);
        QTest::newRow("Synthèse: type") << 0 << u"synthesisTypeValue"_s << QRect(7320, 2700, 975, 375);
        QTest::newRow("Synthèse: profile") << 0 << u"profileFrame"_s << QRect(4200, 3420, 4215, 2895);
        QTest::newRow("Synthèse: interpret") << 0 << u"synthesisButton"_s << QRect(10560, 5520, 1095, 975);
        QTest::newRow("Synthèse: clarity") << 0 << u"clarityLabel"_s << QRect(480, 3540, 3480, 2775);
        QTest::newRow("Détails: type") << 1 << u"detailsTypeValue"_s << QRect(9240, 1740, 615, 375);
        QTest::newRow("Détails: wing") << 1 << u"wingValue"_s << QRect(10920, 1740, 855, 375);
        QTest::newRow("Détails: antidote") << 1 << u"antidoteValue"_s << QRect(7800, 4380, 2415, 375);
        QTest::newRow("Détails: interpret") << 1 << u"detailsButton"_s << QRect(10560, 5520, 1095, 975);
        QTest::newRow("Carré: quality list") << 2 << u"qualityCombo"_s << QRect(720, 3000, 2895, 360);
        QTest::newRow("Carré: pitfall") << 2 << u"pitfallValue"_s << QRect(6960, 3000, 2895, 300);
        QTest::newRow("Carré: allergy list") << 2 << u"allergyCombo"_s << QRect(720, 5900, 2895, 360);
        QTest::newRow("Carré: interpret") << 2 << u"quadrantButton"_s << QRect(10560, 5520, 1095, 975);
        QTest::newRow("Interaction: first name") << 3 << u"partnerFirstNameField"_s << QRect(7200, 720, 2115, 285);
        QTest::newRow("Interaction: type") << 3 << u"te2"_s << QRect(9480, 1200, 435, 285);
        QTest::newRow("Interaction: calculate") << 3 << u"interactionComputeButton"_s << QRect(8280, 1680, 1095, 305);
        QTest::newRow("Interaction: keyword") << 3 << u"interactionKeywordLabel"_s << QRect(8280, 3240, 3615, 375);
    }
    void controlsSitAtTheirTwips()
    {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        tabs()->setCurrentIndex(page);
        QWidget* widget = f->find<QWidget>(control);
        QVERIFY(tabs()->widget(page)->isAncestorOf(widget));
        const QPoint corner = widget->mapTo(tabs(), QPoint(0, 0));
        const QString where =
            u"(%1, %2) %3 x %4 px"_s.arg(corner.x()).arg(corner.y()).arg(widget->width()).arg(widget->height());
        QVERIFY2(near(corner.x(), px(twips.x())) && near(corner.y(), px(twips.y())), qPrintable(where));
        QVERIFY2(near(widget->width(), px(twips.width())) && near(widget->height(), px(twips.height())),
                 qPrintable(where));
    }

    // The longest clarity line, at the window's font and at larger ones: its wrapped text fits its room, and no other
    // control of the page shares that room.
    void clarityLineFitsBesideTheControls_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("8.25 points") << 8.25;
        QTest::newRow("11 points") << 11.0;
        QTest::newRow("14 points") << 14.0;
    }
    void clarityLineFitsBesideTheControls()
    {
        QFETCH(qreal, points);
        QFont font = f->window->font();
        font.setPointSizeF(points);
        f->window->setFont(font);
        f->computeFrom("9", "8", "1", Scores{0, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        tabs()->setCurrentIndex(0);
        QWidget* page = tabs()->widget(0);
        QLabel* clarity = f->label(u"clarityLabel"_s);
        QVERIFY(clarity->text().endsWith(u"8 et 9 ont des scores proches"_s));
        QCOMPARE(clarity->font().pointSizeF(), points);
        QVERIFY2(
            clarity->heightForWidth(clarity->width()) <= clarity->height(),
            qPrintable(u"needs %1 px of %2"_s.arg(clarity->heightForWidth(clarity->width())).arg(clarity->height())));
        for (QWidget* other : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool background = other->metaObject() == &QWidget::staticMetaObject;
            if (other != clarity && other->isVisible() && !background)
                QVERIFY2(
                    !other->geometry().intersects(clarity->geometry()),
                    qPrintable(u"%1 %2"_s.arg(QLatin1String(other->metaObject()->className()), other->objectName())));
        }
    }

    // The figure's filled circle, found in what the page shows: its box is 480, 1620, 4455 x 3975 twips.
    void figureCircleSitsAtItsTwips_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Détails") << 1;
        QTest::newRow("Interaction entre deux personnes") << 3;
    }
    void figureCircleSitsAtItsTwips()
    {
        QFETCH(int, page);
        const QImage image = shownPage(page);
        // The circle's blue (128, 128, 255) against the pages' redder backgrounds; edge pixels count when at least
        // half covered.
        int left = image.width(), top = image.height(), right = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() <= 144 && c.green() >= 112 && c.green() <= 144 && c.blue() >= 240) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
        }
        const QString found = u"(%1, %2) to (%3, %4)"_s.arg(left).arg(top).arg(right).arg(bottom);
        QVERIFY2(near(left, px(480)) && near(top, px(1620)), qPrintable(found));
        QVERIFY2(near(right + 1, px(480 + 4455)) && near(bottom + 1, px(1620 + 3975)), qPrintable(found));
    }

    // Every page: a white margin around the coloured rectangle 120, 480, 11895 x 6375 twips.
    void pageColourFillsItsRectangleOnly_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("Synthèse") << 0 << QColor(128, 128, 255);
        QTest::newRow("Détails") << 1 << QColor(160, 128, 255);
        QTest::newRow("Carré fondamental") << 2 << QColor(192, 128, 255);
        QTest::newRow("Interaction entre deux personnes") << 3 << QColor(219, 128, 255);
    }
    void pageColourFillsItsRectangleOnly()
    {
        QFETCH(int, page);
        QFETCH(QColor, colour);
        const QImage image = shownPage(page);
        const QRect pageArea(tabs()->widget(page)->mapTo(tabs(), QPoint(0, 0)), tabs()->widget(page)->size());
        const QRect coloured(px(120), px(480), px(11895), px(6375));
        // One pixel inside the page beyond each edge of the rectangle, then just inside each corner.
        const QList<QPoint> margin = {{coloured.left() - 2, coloured.top() + 20},
                                      {coloured.left() + 20, coloured.top() - 2},
                                      {coloured.right() + 3, coloured.bottom() - 20},
                                      {coloured.right() - 20, coloured.bottom() + 3}};
        for (const QPoint& p : margin) {
            QVERIFY2(pageArea.contains(p), "the style leaves no room for the margin");
            QCOMPARE(image.pixelColor(p), QColor(Qt::white));
        }
        for (const QPoint& p : {coloured.topLeft() + QPoint(3, 3), coloured.bottomRight() - QPoint(3, 3)})
            QCOMPARE(image.pixelColor(p), colour);
    }
};

QTEST_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
