#pragma once

#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

#include <optional>

namespace tavi::formats {

// One condition of a saved search, as far as a folder walk can evaluate it: and, or, not,
// and leaf conditions on the file's name, extension, size or path with the usual
// comparison operators. Parse() returns nullopt for anything else, and the search is then
// not evaluated at all.
class SearchCondition {
public:
    // Reads the <condition> element the reader stands on, up to its end element.
    static std::optional<SearchCondition> Parse(QXmlStreamReader& xml, int depth = 0);

    bool Matches(const QFileInfo& file) const;

private:
    enum class Type { And, Or, Not, Leaf };
    enum class Property { Name, Extension, Size, Path, Folder };
    enum class Operator {
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        StartsWith,
        EndsWith,
        Contains,
        NotContains,
        Wildcard
    };

    static std::optional<SearchCondition> ParseLeaf(const QXmlStreamAttributes& attributes);
    bool MatchesLeaf(const QFileInfo& file) const;

    Type m_type = Type::Leaf;
    QList<SearchCondition> m_children;
    Property m_property = Property::Name;
    Operator m_operator = Operator::Equal;
    QString m_value;
    QRegularExpression m_pattern;  // Wildcard with "*" or "?" in the value
};

}  // namespace tavi::formats
