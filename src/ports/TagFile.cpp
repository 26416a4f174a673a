// Reading and writing the tag file.
#include "ports/TagFile.h"

#include "ports/TableFiles.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace ondrel {

namespace {
// Each tag keeps an order of every record: a handful is all a table needs.
constexpr std::size_t kMaxTags = 64;

bool IsName(const QString& word) {
    if (word.isEmpty() || word.front().isDigit()) return false;
    return std::all_of(word.begin(), word.end(), [](QChar c) {
        return c == u'_' || (c.unicode() < 128 && c.isLetterOrNumber());
    });
}

// The words of "TAG = COLUMN" or "TAG = COLUMN where COLUMN empty|notempty" (the last four
// words of the second form are "where", COLUMN and the condition), or nothing when the line has
// neither form.
QStringList Tokens(QString line) {
    line.replace(QLatin1Char('='), QLatin1String(" = "));
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    const auto is = [&](qsizetype i, const char* word) {
        return words[i].compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    };
    const bool plain = words.size() == 3;
    const bool conditional = words.size() == 6 && is(3, "where") && IsName(words[4]) &&
                             (is(5, "empty") || is(5, "notempty"));
    if ((plain || conditional) && IsName(words[0]) && words[1] == u'=' && IsName(words[2]))
        return words;
    return {};
}

} // namespace

std::vector<TagDefinition> ReadTagFile(const QString& path, const std::vector<DbfField>& fields) {
    const QByteArray bytes =
        ReadRegularFile(path, QStringLiteral("the tag file"), kMaxTagFileBytes);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError() || text.contains(QChar(0)))
        FailFile(path, QStringLiteral("the tag file is not UTF-8 text"));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);

    auto columnOf = [&fields](const QString& name) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        return -1;
    };

    std::vector<TagDefinition> tags;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString content = lines[n];
        const qsizetype hash = content.indexOf(QLatin1Char('#'));
        if (hash >= 0) content.truncate(hash);
        content = content.trimmed();
        if (content.isEmpty()) continue;
        const QString where = QStringLiteral("line %1: ").arg(n + 1);
        const QStringList m = Tokens(content);
        if (m.isEmpty())
            FailFile(path,
                     where + QStringLiteral("expected \"TAG = COLUMN\" or \"TAG = COLUMN where "
                                            "COLUMN empty|notempty\", found \"%1\"")
                                 .arg(content.left(60)));
        if (tags.size() >= kMaxTags)
            FailFile(path, where + QStringLiteral("more than %1 tags").arg(kMaxTags));
        TagDefinition tag;
        tag.name = m[0];
        for (const TagDefinition& other : tags)
            if (other.name.compare(tag.name, Qt::CaseInsensitive) == 0)
                FailFile(path, where + QStringLiteral("the tag %1 is defined twice").arg(tag.name));
        tag.column = columnOf(m[2]);
        if (tag.column < 0)
            FailFile(
                path,
                where +
                    QStringLiteral("the tag %1 uses the unknown column %2").arg(tag.name, m[2]));
        tag.numeric = fields[tag.column].numeric;
        if (m.size() == 6) {
            tag.conditionColumn = columnOf(m[4]);
            if (tag.conditionColumn < 0)
                FailFile(path, where + QStringLiteral("the tag %1 uses the unknown column %2")
                                           .arg(tag.name, m[4]));
            tag.conditionEmpty = m[5].compare(QLatin1String("empty"), Qt::CaseInsensitive) == 0;
        }
        tags.push_back(std::move(tag));
    }
    if (tags.empty()) FailFile(path, QStringLiteral("the tag file defines no tag"));
    return tags;
}

namespace {

// The four tags the program selects, as the standard file defines them.
struct StandardTag {
    const char* name;
    const char* key;
    const char* condition; // column that must be blank or not, or nullptr
    bool conditionEmpty;
    const char* line;
};
constexpr StandardTag kStandardTags[] = {
    {"Nom", "NOM", nullptr, false, "Nom = NOM"},
    {"Zone", "ZONE", nullptr, false, "Zone = ZONE"},
    {"PRINCIPAL", "NOM", "PORT_REF", true, "PRINCIPAL = NOM where PORT_REF empty"},
    {"SECONDAIRE", "NOM", "PORT_REF", false, "SECONDAIRE = NOM where PORT_REF notempty"},
};

} // namespace

void CheckStandardTags(const QString& path, const std::vector<TagDefinition>& tags,
                       const std::vector<DbfField>& fields) {
    const auto named = [&](int column, const char* name) {
        return column >= 0 && column < int(fields.size()) &&
               fields[std::size_t(column)].name.compare(QLatin1String(name), Qt::CaseInsensitive) ==
                   0;
    };
    for (const StandardTag& standard : kStandardTags) {
        const auto it = std::find_if(tags.begin(), tags.end(), [&](const TagDefinition& t) {
            return t.name.compare(QLatin1String(standard.name), Qt::CaseInsensitive) == 0;
        });
        if (it == tags.end())
            FailFile(path, QStringLiteral("the port table needs the tag %1 (\"%2\")")
                               .arg(QLatin1String(standard.name), QLatin1String(standard.line)));
        const bool right = named(it->column, standard.key) &&
                           (standard.condition ? named(it->conditionColumn, standard.condition) &&
                                                     it->conditionEmpty == standard.conditionEmpty
                                               : it->conditionColumn < 0);
        if (!right)
            FailFile(path, QStringLiteral("the tag %1 is not the one the port table needs "
                                          "(\"%2\"): its ports would not be listed")
                               .arg(it->name, QLatin1String(standard.line)));
    }
}

void WriteStandardTagFile(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        FailFile(path,
                 QStringLiteral("the tag file cannot be written (%1)").arg(file.errorString()));
    file.write(QStringLiteral("# Index tags of the port table, one per line:\n"
                              "#   TAG = COLUMN [where COLUMN empty|notempty]\n"
                              "# Text keys sort without case or accents, numeric keys by value.\n"
                              "Nom = NOM\n"
                              "Zone = ZONE\n"
                              "PRINCIPAL = NOM where PORT_REF empty\n"
                              "SECONDAIRE = NOM where PORT_REF notempty\n")
                   .toUtf8());
    if (!file.commit())
        FailFile(path,
                 QStringLiteral("the tag file cannot be written (%1)").arg(file.errorString()));
}

} // namespace ondrel
