#include "interpretation/ReportDocument.h"

#include "interpretation/ReportText.h"
#include "platform/PagedDocument.h"
#include "platform/TextCatalog.h"
#include "questionnaire/Scoring.h"
#include "typology/Analyses.h"
#include "typology/TypeTables.h"
#include "widgets/Captions.h"
#include "widgets/Fonts.h"
#include "widgets/ProfileChart.h"
#include "widgets/Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextObjectInterface>

namespace {

constexpr int kPictureFormat = QTextFormat::UserObject + 1;
constexpr int kPictureProperty = QTextFormat::UserProperty + 1;
enum class Picture { Chart = 1, Figure = 2 };
constexpr qreal kChartPoints = 8.25; // the size of the chart's numbers on screen, the main window's own font

// The bar chart and the figure, drawn by the same code as on screen, scaled from their pixels (15 twips each) to
// the place the layout gives them: vectors, sharp at any zoom.
class Pictures : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    Pictures(const ProfileChart::Scores& scores, const EnneagramFigure::Marks& marks, QObject* parent)
        : QObject(parent), m_barTops(ProfileChart::barTopsFor(scores)), m_marks(marks)
    {
    }

    static QRect source(Picture picture)
    {
        return picture == Picture::Chart ? twips::rect(180, 180, 3960, 2715) : EnneagramFigure::drawnArea();
    }

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override
    {
        // Drawn at the size they have on screen.
        const QRect area = source(Picture(format.intProperty(kPictureProperty)));
        const qreal unit = paged::unitsPerPoint() * twips::pointsPerPixel();
        return QSizeF(area.width() * unit, area.height() * unit);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override
    {
        const Picture picture = Picture(format.intProperty(kPictureProperty));
        const QRect area = source(picture);
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / area.width(), rect.height() / area.height());
        painter->translate(-area.topLeft());
        if (picture == Picture::Chart) {
            QFont axis = fonts::report(kChartPoints);
            axis.setPixelSize(twips::pixelsOfPoints(kChartPoints)); // in the picture's pixels, scaled with it
            ProfileChart::paint(*painter, m_barTops, Qt::black, axis);
        } else {
            EnneagramFigure::paint(*painter, m_marks, EnneagramFigure::numberFont());
        }
        painter->restore();
    }

private:
    ProfileChart::BarTops m_barTops;
    EnneagramFigure::Marks m_marks;
};

class Writer
{
public:
    explicit Writer(QTextDocument& document) : m_cursor(&document) {}

    void heading(const QString& text, bool newPage = false)
    {
        QTextBlockFormat block;
        block.setHeadingLevel(1);
        if (newPage)
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        block.setTopMargin(paged::formatLength(12));
        block.setBottomMargin(paged::formatLength(4));
        paragraph(text, block, fonts::report(14, true));
    }

    // Each line of an analysis is one paragraph, as in the interpretation window; a CR LF inside a line starts a new
    // one there too.
    void lines(const QStringList& texts)
    {
        for (const QString& line : texts) {
            for (const QString& part : withNewlines(line).split(u'\n'))
                paragraph(part, QTextBlockFormat(), fonts::report(10));
        }
    }

    void paragraph(const QString& text, QTextBlockFormat block, const QFont& font)
    {
        QTextCharFormat characters;
        characters.setFont(font);
        if (m_first) {
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(characters);
            m_first = false;
        } else {
            m_cursor.insertBlock(block, characters);
        }
        m_cursor.insertText(text, characters); // plain text: names and words are never read as markup
    }

    void pictures(std::initializer_list<Picture> kinds)
    {
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        block.setTopMargin(paged::formatLength(6));
        block.setBottomMargin(paged::formatLength(6));
        m_cursor.insertBlock(block);
        for (const Picture picture : kinds) {
            if (picture != *kinds.begin())
                m_cursor.insertText(QStringLiteral("    "), QTextCharFormat());
            QTextCharFormat object;
            object.setObjectType(kPictureFormat);
            object.setProperty(kPictureProperty, int(picture));
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        }
    }

private:
    QTextCursor m_cursor;
    bool m_first = true;
};

} // namespace

std::unique_ptr<QTextDocument> buildReport(const ShownProfile& input, const EnneagramFigure::Marks& figure,
                                           const QDate& date)
{
    const QString firstName = input.firstName.trimmed();
    const QString lastName = input.lastName.trimmed();
    auto document = std::make_unique<QTextDocument>();
    paged::setUpA4(*document);
    document->setDefaultFont(fonts::report(10));
    document->setMetaInformation(QTextDocument::DocumentTitle, report::title(firstName, lastName));
    document->documentLayout()->registerHandler(kPictureFormat, new Pictures(input.scores, figure, document.get()));

    Writer out(*document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextBlockFormat title = centred;
    title.setTopMargin(paged::formatLength(160));
    out.paragraph(QStringLiteral("Psyche Rondo"), title, fonts::report(28, true));
    QTextBlockFormat spaced = centred;
    spaced.setTopMargin(paged::formatLength(18));
    const QString names = (firstName + u' ' + lastName).trimmed();
    if (!names.isEmpty())
        out.paragraph(names, spaced, fonts::report(20));
    out.paragraph(report::frenchDate(date), spaced, fonts::report(12));
    const QString type = input.synthesisType.trimmed();
    out.paragraph(captions::type() + u' ' + type, spaced, fonts::report(16, true));
    out.paragraph(typology::nickname(input.type), centred, fonts::report(12));
    if (const QString wings = input.details.wing.trimmed(); !wings.isEmpty()) {
        // Two wings are shown as "8 / 1".
        const QString caption = wings.contains(u'/') ? QStringLiteral("Ailes : ") : QStringLiteral("Aile : ");
        out.paragraph(caption + wings, centred, fonts::report(12));
    }

    out.heading(QStringLiteral("Profil"), true);
    out.pictures({Picture::Chart, Picture::Figure});
    const QString clarity = clarityLine(input.scores);
    if (!clarity.isEmpty())
        out.paragraph(clarity, QTextBlockFormat(), fonts::report(10, true));
    out.lines(detailsValueLines(input.details));

    out.heading(QStringLiteral("Synthèse"));
    out.lines(analyses::synthesisLines(input));
    out.heading(QStringLiteral("Détails"));
    out.lines(analyses::detailLines(input));
    out.heading(QStringLiteral("Carré fondamental"));
    out.lines(analyses::quadrantLines(input.quadrant));
    const QStringList interaction = analyses::interactionLines(input.keyword);
    if (!interaction.isEmpty()) {
        out.heading(QStringLiteral("Interaction entre deux personnes"));
        out.lines(interaction);
    }

    paged::keepHeadingsWithNext(*document);
    return document;
}

#include "ReportDocument.moc"
