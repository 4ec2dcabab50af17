#include "persons/PersonSearch.h"

#include "platform/Cp1252.h"

#include <array>

namespace {

// What each byte of the directory file folds to: one character, or two ("ß" folds to "ss").
struct FoldedByte
{
    std::array<char16_t, 2> chars{};
    int size = 0;
};

const std::array<FoldedByte, 256>& foldedBytes()
{
    static const std::array<FoldedByte, 256> table = [] {
        std::array<FoldedByte, 256> folded;
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = char(byte);
            const QString text = foldForSearch(cp1252::decode(QByteArrayView(&raw, 1)));
            FoldedByte& entry = folded[std::size_t(byte)];
            entry.size = int(std::min<qsizetype>(text.size(), 2));
            for (int i = 0; i < entry.size; ++i)
                entry.chars[std::size_t(i)] = text[i].unicode();
        }
        return folded;
    }();
    return table;
}

void appendFolded(QString& out, QByteArrayView bytes)
{
    const auto& table = foldedBytes();
    for (const char c : bytes) {
        const FoldedByte& entry = table[std::size_t(static_cast<unsigned char>(c))];
        for (int i = 0; i < entry.size; ++i)
            out += QChar(entry.chars[std::size_t(i)]);
    }
}

} // namespace

QString foldForSearch(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_SpacingCombining &&
            c.category() != QChar::Mark_Enclosing)
            bare += c;
    }
    return bare.toCaseFolded();
}

QStringList searchWords(QStringView query)
{
    QStringList words;
    QString word;
    for (const QChar c : foldForSearch(query)) {
        if (!c.isSpace()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

PersonSearch::PersonSearch(const DirectoryContent& content)
{
    m_starts.reserve(content.count() + 1);
    m_keys.reserve(content.bytes.size() / 2);
    std::array<QByteArrayView, 6> fields;
    for (qsizetype i = 0; i < content.count(); ++i) {
        m_starts.append(m_keys.size());
        splitRecordLine(content.line(i), fields, 2);
        appendFolded(m_keys, fields[0]);
        // No word holds a line break: a word never runs from the last name into the first.
        m_keys += u'\n';
        appendFolded(m_keys, fields[1]);
    }
    m_starts.append(m_keys.size());
}

bool PersonSearch::matches(qsizetype index, const QStringList& words) const
{
    const QStringView key = QStringView(m_keys).sliced(m_starts[index], m_starts[index + 1] - m_starts[index]);
    for (const QString& word : words) {
        if (!key.contains(word))
            return false;
    }
    return true;
}
