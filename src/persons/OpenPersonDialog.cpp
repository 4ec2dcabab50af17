#include "persons/OpenPersonDialog.h"

#include "persons/PersonDirectory.h"
#include "persons/PersonListModel.h"
#include "platform/MessageService.h"
#include "widgets/Controls.h"
#include "widgets/Twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShortcut>

OpenPersonDialog::OpenPersonDialog(const QString& dataFolder, MessageService& messages, QWidget* parent)
    : QDialog(parent), m_dataFolder(dataFolder), m_messages(messages)
{
    setObjectName(QStringLiteral("Ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir"));
    setModal(true);
    // The window is taller than the older one by the row of the search field; everything else keeps its place
    // relative to the others.
    constexpr int below = 420;
    setFixedSize(twips::toPixels(4830), twips::toPixels(3150 + below));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setGeometry(twips::rect(120, 180, 3135, 285));
    m_search->setPlaceholderText(QStringLiteral("Rechercher un nom"));
    m_search->setAccessibleName(QStringLiteral("Rechercher"));
    m_search->setAccessibleDescription(
        QStringLiteral("Ne garde dans la liste que les personnes dont le nom ou le prénom contient chaque mot tapé."));
    m_search->setClearButtonEnabled(true);

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("personList"));
    m_list->setGeometry(twips::rect(120, 180 + below, 3135, 2790));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setAccessibleName(QStringLiteral("Personnes enregistrées"));

    auto* abandon = new QPushButton(QStringLiteral("Abandonner"), this);
    abandon->setObjectName(QStringLiteral("abandonButton"));
    abandon->setGeometry(twips::rect(3540, 2640 + below, 1215, 375));
    m_toUser = new QPushButton(QStringLiteral("-> Vous"), this);
    m_toUser->setObjectName(QStringLiteral("toUserButton"));
    m_toUser->setGeometry(twips::rect(3480, 180 + below, 1215, 375));
    m_toPartner = new QPushButton(QStringLiteral("-> Partenaire"), this);
    m_toPartner->setObjectName(QStringLiteral("toPartnerButton"));
    m_toPartner->setGeometry(twips::rect(3480, 720 + below, 1215, 375));
    m_erase = new QPushButton(QStringLiteral("Supprimer"), this);
    m_erase->setObjectName(QStringLiteral("eraseButton"));
    m_erase->setGeometry(twips::rect(3480, 1800 + below, 1215, 375));
    m_erase->setEnabled(false);
    m_erase->setAccessibleDescription(
        QStringLiteral("Efface la personne choisie du fichier des personnes et de sa copie de sauvegarde."));
    for (QPushButton* button : {abandon, m_toUser, m_toPartner, m_erase})
        button->setAutoDefault(false);
    m_list->setAccessibleDescription(QStringLiteral("Nom, prénom, type, ailes et profil de chaque personne."));
    abandon->setAccessibleDescription(QStringLiteral("Ferme la fenêtre sans copier personne."));
    m_toUser->setAccessibleName(QStringLiteral("Vous"));
    m_toUser->setAccessibleDescription(QStringLiteral("Copie la personne choisie dans la ligne «\u00a0Vous\u00a0»."));
    m_toPartner->setAccessibleName(QStringLiteral("Partenaire"));
    m_toPartner->setAccessibleDescription(QStringLiteral("Copie la personne choisie dans la ligne du partenaire."));

    setTabOrder(m_search, m_list);
    setTabOrder(m_list, abandon);
    setTabOrder(abandon, m_toUser);
    setTabOrder(m_toUser, m_toPartner);
    setTabOrder(m_toPartner, m_erase);

    connect(abandon, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_toUser, &QPushButton::clicked, this, [this] { choose(Choice::User); });
    connect(m_toPartner, &QPushButton::clicked, this, [this] { choose(Choice::Partner); });
    connect(m_erase, &QPushButton::clicked, this, &OpenPersonDialog::erase);
    // A double-click anywhere in the list, even on no entry, does what "-> Vous" does.
    m_list->viewport()->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &OpenPersonDialog::applySearch);
    // Enter in the search field takes the one person it has left, as "-> Vous" would.
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (m_list->model()->rowCount() != 1)
            return;
        m_list->setCurrentIndex(m_list->model()->index(0, 0));
        choose(Choice::User);
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    fill();
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

// The person selected stays selected while the search still shows them.
void OpenPersonDialog::applySearch(const QString& query)
{
    auto* model = static_cast<PersonListModel*>(m_list->model());
    const int row = selectedRow();
    const qsizetype selected = row >= 0 ? model->recordIndex(row) : -1;
    model->setFilter(query);
    if (selected < 0)
        return;
    if (const int shownAt = model->rowOf(selected); shownAt >= 0)
        m_list->setCurrentIndex(model->index(shownAt, 0));
}

void OpenPersonDialog::setContent(DirectoryContent content)
{
    QAbstractItemModel* old = m_list->model();
    m_list->setModel(new PersonListModel(std::move(content), this));
    delete old;
    static_cast<PersonListModel*>(m_list->model())->setFilter(m_search->text());
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_erase->setEnabled(selectedRow() >= 0); });
    m_erase->setEnabled(false);
}

int OpenPersonDialog::selectedRow() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() && m_list->selectionModel()->isSelected(current) ? current.row() : -1;
}

void OpenPersonDialog::fill()
{
    const QString path = directoryFilePath(m_dataFolder);
    DirectoryContent content = readDirectory(path);
    if (content.status == DirectoryContent::Status::Missing) {
        m_messages.show(this, {QStringLiteral("Pas de données enregistrées"), QStringLiteral("Erreur"),
                               MessageButtons::Ok, MessageIcon::Exclamation});
        m_toUser->setEnabled(false);
        m_toPartner->setEnabled(false);
        setContent(DirectoryContent{});
        return;
    }
    QString problem = readProblem(content, path);
    if (content.status == DirectoryContent::Status::InvalidLine)
        problem += content.invalidLine == 0 ? QStringLiteral(" Aucune personne n'est affichée.")
                                            : QStringLiteral(" Cette ligne et les suivantes ne sont pas affichées.");
    setContent(std::move(content));
    if (!problem.isEmpty())
        m_messages.show(this, {problem, QStringLiteral("Erreur"), MessageButtons::Ok, MessageIcon::Exclamation});
}

void OpenPersonDialog::erase()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const auto* model = static_cast<const PersonListModel*>(m_list->model());
    const PersonRecord person = model->record(row);
    const MessageRequest question{QStringLiteral("Supprimer définitivement %1 %2 du fichier des personnes ?")
                                      .arg(person.firstName, person.lastName),
                                  QStringLiteral("Attention"), MessageButtons::YesNo, MessageIcon::Question,
                                  MessageAnswer::No};
    if (m_messages.show(this, question) != MessageAnswer::Yes)
        return;
    const EraseOutcome outcome = PersonDirectory(m_dataFolder).erase(model->content(), model->recordIndex(row));
    if (outcome.status != EraseOutcome::Status::Erased)
        m_messages.show(this,
                        {outcome.message, QStringLiteral("Erreur"), MessageButtons::Ok, MessageIcon::Exclamation});
    if (outcome.status != EraseOutcome::Status::Failed) {
        fill();
        m_list->setFocus();
    }
}

void OpenPersonDialog::choose(Choice choice)
{
    const QModelIndex current = m_list->currentIndex();
    if (selectedRow() < 0) {
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
