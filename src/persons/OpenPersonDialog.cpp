#include "persons/OpenPersonDialog.h"

#include "persons/PersonDirectory.h"
#include "persons/PersonListModel.h"
#include "platform/MessageService.h"
#include "widgets/Controls.h"
#include "widgets/Twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>

OpenPersonDialog::OpenPersonDialog(const QString& dataFolder, MessageService& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setObjectName(QStringLiteral("Ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir"));
    setModal(true);
    setFixedSize(twips::toPixels(4830), twips::toPixels(3150));

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("personList"));
    m_list->setGeometry(twips::rect(120, 180, 3135, 2790));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setAccessibleName(QStringLiteral("Personnes enregistrées"));

    auto* abandon = new QPushButton(QStringLiteral("Abandonner"), this);
    abandon->setObjectName(QStringLiteral("abandonButton"));
    abandon->setGeometry(twips::rect(3540, 2640, 1215, 375));
    m_toUser = new QPushButton(QStringLiteral("-> Vous"), this);
    m_toUser->setObjectName(QStringLiteral("toUserButton"));
    m_toUser->setGeometry(twips::rect(3480, 180, 1215, 375));
    m_toPartner = new QPushButton(QStringLiteral("-> Partenaire"), this);
    m_toPartner->setObjectName(QStringLiteral("toPartnerButton"));
    m_toPartner->setGeometry(twips::rect(3480, 720, 1215, 375));
    for (QPushButton* button : {abandon, m_toUser, m_toPartner})
        button->setAutoDefault(false);
    m_list->setAccessibleDescription(QStringLiteral("Nom, prénom, type, ailes et profil de chaque personne."));
    abandon->setAccessibleDescription(QStringLiteral("Ferme la fenêtre sans copier personne."));
    m_toUser->setAccessibleName(QStringLiteral("Vous"));
    m_toUser->setAccessibleDescription(QStringLiteral("Copie la personne choisie dans la ligne «\u00a0Vous\u00a0»."));
    m_toPartner->setAccessibleName(QStringLiteral("Partenaire"));
    m_toPartner->setAccessibleDescription(QStringLiteral("Copie la personne choisie dans la ligne du partenaire."));

    setTabOrder(m_list, abandon);
    setTabOrder(abandon, m_toUser);
    setTabOrder(m_toUser, m_toPartner);

    connect(abandon, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_toUser, &QPushButton::clicked, this, [this] { choose(Choice::User); });
    connect(m_toPartner, &QPushButton::clicked, this, [this] { choose(Choice::Partner); });
    // A double-click anywhere in the list, even on no entry, does what "-> Vous" does.
    m_list->viewport()->installEventFilter(this);

    fill(dataFolder);
    m_list->setFocus();
}

bool OpenPersonDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        choose(Choice::User);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The buttons are never default, so that Enter in the list copies nobody; Enter on a focused button presses it,
// as Space does.
void OpenPersonDialog::keyPressEvent(QKeyEvent* event)
{
    if (controls::pressFocusedButton(this, event))
        return;
    QDialog::keyPressEvent(event);
}

void OpenPersonDialog::fill(const QString& dataFolder)
{
    const QString path = directoryFilePath(dataFolder);
    DirectoryContent content = readDirectory(path);
    if (content.status == DirectoryContent::Status::Missing) {
        m_messages.show(this, {QStringLiteral("Pas de données enregistrées"), QStringLiteral("Erreur"),
                               MessageButtons::Ok, MessageIcon::Exclamation});
        m_toUser->setEnabled(false);
        m_toPartner->setEnabled(false);
        m_list->setModel(new PersonListModel({}, this));
        return;
    }
    QString problem = readProblem(content, path);
    if (content.status == DirectoryContent::Status::InvalidLine)
        problem += content.invalidLine == 0 ? QStringLiteral(" Aucune personne n'est affichée.")
                                            : QStringLiteral(" Cette ligne et les suivantes ne sont pas affichées.");
    m_list->setModel(new PersonListModel(std::move(content), this));
    if (!problem.isEmpty())
        m_messages.show(this, {problem, QStringLiteral("Erreur"), MessageButtons::Ok, MessageIcon::Exclamation});
}

void OpenPersonDialog::choose(Choice choice)
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_list->selectionModel()->isSelected(current)) {
        reject();
        return;
    }
    // The list shows six fields separated by ";": a ";" inside a field would shift the others.
    if (current.data().toString().count(u';') > 5) {
        m_messages.inform(this,
                          QStringLiteral("Cette personne ne peut pas être reprise\u00a0: son nom ou son type contient "
                                         "le caractère «\u00a0;\u00a0», qui sépare les champs de la liste."));
        return;
    }
    const PersonRecord chosen = static_cast<const PersonListModel*>(m_list->model())->record(current.row());
    // A field would cut a longer text, and a later save would store someone else.
    const auto tooLong = [](const QString& text) { return text.size() > controls::kFieldCapacity; };
    QString what;
    if (tooLong(chosen.lastName))
        what = QStringLiteral("son nom");
    else if (tooLong(chosen.firstName))
        what = QStringLiteral("son prénom");
    else if (choice == Choice::Partner && tooLong(chosen.type))
        what = QStringLiteral("son type");
    if (!what.isEmpty()) {
        m_messages.inform(this, QStringLiteral("Cette personne ne peut pas être reprise\u00a0: %1 compte plus de "
                                               "32\u00a0767 caractères, ce qu'un champ ne peut pas contenir.")
                                    .arg(what));
        return;
    }
    m_choice = choice;
    m_chosen = chosen;
    accept();
}
