// ondrel-texts: turns a table of interface texts (a .texts file) into the C++ header that declares
// it, so that the texts are kept as data while the code reads them by name, checked by the
// compiler:
//   ondrel-texts IN.texts OUT.h
// A .texts file holds, apart from blank lines and '#' comments:
//   struct NAMESPACE::NAME of TYPE     once, first: the table's struct and its entries' type
//                                      (Bilingual or TextPair)
//   object NAME                        at most once: also declares the table's one object
//   NAME                               an entry, followed by its French and English texts:
//     fr "..."                         C string literals; a text may go on over the following
//        "..."                         lines, one literal a line, as in C
//     en "..."
//   NAME[]                             an array of entries: fr and en texts, pair after pair
// Exits 1 with the file, line and reason on anything else, and writes nothing then.
#include <cctype>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name;
    bool array = false;
    // French and English texts, the literals as written joined by a space; several for an array.
    std::vector<std::pair<std::string, std::string>> texts;
};

struct Table {
    std::string nameSpace, name, type, object;
    std::vector<Entry> entries;
};

const std::map<std::string, std::string> kTypeHeaders = {{"Bilingual", "Bilingual.h"},
                                                         {"TextPair", "Language.h"}};

struct Failure {
    int line;
    std::string what;
};

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool IsIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (const char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

// A whole C string literal: quotes at both ends, no bare quote, no escape left open.
bool IsLiteral(const std::string& s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == '"') return false;
        if (s[i] == '\\' && ++i == s.size() - 1) return false;
    }
    return true;
}

Table Parse(std::istream& in) {
    Table table;
    std::set<std::string> names;
    std::string* text = nullptr; // the text the next continuation line goes on
    int expecting = 0;           // 0: an entry; 1: its French text; 2: its English text
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "struct" || first == "object") {
            if (expecting != 0) throw Failure{number, "the entry above has no English text"};
            std::string rest;
            std::getline(words, rest);
            rest = Trim(rest);
            if (first == "object") {
                if (!IsIdentifier(rest) || !table.object.empty())
                    throw Failure{number, "one object line, with a name"};
                table.object = rest;
                continue;
            }
            const auto of = rest.find(" of ");
            const auto scope = rest.rfind("::", of);
            if (!table.name.empty() || of == std::string::npos || scope == std::string::npos)
                throw Failure{number, "one struct line: struct NAMESPACE::NAME of TYPE"};
            table.nameSpace = rest.substr(0, scope);
            table.name = rest.substr(scope + 2, of - scope - 2);
            table.type = Trim(rest.substr(of + 4));
            if (!IsIdentifier(table.name) || !kTypeHeaders.count(table.type))
                throw Failure{number, "the struct needs a name and a type Bilingual or TextPair"};
            continue;
        }
        if (table.name.empty()) throw Failure{number, "the struct line comes first"};
        if (line[0] == '"') {
            if (!text || !IsLiteral(line)) throw Failure{number, "a literal that goes nowhere"};
            *text += ' ' + line;
            continue;
        }
        std::string rest;
        std::getline(words, rest);
        rest = Trim(rest);
        const bool anotherPair =
            first == "fr" && expecting == 0 && !table.entries.empty() && table.entries.back().array;
        if ((first == "fr" && (expecting == 1 || anotherPair)) ||
            (first == "en" && expecting == 2)) {
            if (!IsLiteral(rest)) throw Failure{number, "a text is a C string literal"};
            Entry& entry = table.entries.back();
            if (first == "fr") {
                entry.texts.emplace_back();
                expecting = 1;
            }
            text = expecting == 1 ? &entry.texts.back().first : &entry.texts.back().second;
            *text = rest;
            expecting = expecting == 1 ? 2 : 0;
            continue;
        }
        const bool array = first.size() > 2 && first.ends_with("[]");
        if (array) first.resize(first.size() - 2);
        if (expecting != 0 || !rest.empty() || !IsIdentifier(first))
            throw Failure{number, expecting ? "expected its fr then en text" : "expected a name"};
        if (!names.insert(first).second)
            throw Failure{number, "the name " + first + " is used twice"};
        table.entries.push_back({first, array, {}});
        text = nullptr;
        expecting = 1;
    }
    if (expecting != 0) throw Failure{0, "the last entry has no English text"};
    if (table.name.empty()) throw Failure{0, "no struct line"};
    return table;
}

std::string Header(const Table& table, const std::string& source) {
    std::ostringstream out;
    out << "// Made by ondrel-texts from " << source << ": edit that file, not this one.\n"
        << "#pragma once\n\n#include \"" << kTypeHeaders.at(table.type) << "\"\n\n"
        << "namespace " << table.nameSpace << " {\n\nstruct " << table.name << " {\n";
    for (const Entry& e : table.entries) {
        out << "    " << table.type << ' ' << e.name;
        if (e.array) out << '[' << e.texts.size() << "]{\n";
        for (const auto& [french, english] : e.texts)
            out << (e.array ? "        {" : "{") << french << ", " << english << "}"
                << (e.array ? ",\n" : "");
        out << (e.array ? "    };\n" : ";\n");
    }
    out << "};\n";
    if (!table.object.empty())
        out << "inline constexpr " << table.name << ' ' << table.object << ";\n";
    out << "\n} // namespace " << table.nameSpace << "\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ondrel-texts IN.texts OUT.h\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    std::string source = argv[1];
    source = source.substr(source.find_last_of('/') + 1);
    try {
        const std::string header = Header(Parse(in), source);
        std::ofstream out(argv[2], std::ios::trunc);
        out << header;
        if (!out.flush()) {
            std::cerr << argv[2] << ": cannot be written\n";
            return 1;
        }
    } catch (const Failure& f) {
        std::cerr << argv[1] << ':' << f.line << ": " << f.what << '\n';
        return 1;
    }
    return 0;
}
