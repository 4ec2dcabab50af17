#include "help/HelpWindow.h"

#include "help/GuideText.h"
#include "platform/TextCatalog.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

HelpWindow::HelpWindow()
{
    setObjectName(QStringLiteral("f_aide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Aide"));
    setFixedSize(twips::toPixels(6750), twips::toPixels(4410));

    controls::titleStrip(this, "helpTitleLabel", QStringLiteral("Comment Utiliser Psyche Rondo ?"),
                         twips::rect(0, 0, 6735, 375), fonts::sansSerif(12));

    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("helpTextBox"));
    text->setGeometry(twips::rect(0, 360, 6735, 3255));
    text->setPlainText(withNewlines(guideText()));
    text->setAccessibleName(QStringLiteral("Mode d'emploi"));
    text->setTabChangesFocus(true);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("helpOkButton"));
    ok->setGeometry(twips::rect(2520, 3840, 1695, 375));
    ok->setAccessibleDescription(QStringLiteral("Ferme l'aide."));
    text->setAccessibleDescription(QStringLiteral("Comment utiliser Psyche Rondo, étape par étape."));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(text, ok);
}

QString HelpWindow::guide() const
{
    return findChild<QPlainTextEdit*>(QStringLiteral("helpTextBox"))->toPlainText();
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (controls::pressFocusedButton(this, event))
        return;
    // Escape closes the guide as it closes a dialog; the window is not one, so that the main window stays usable.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
