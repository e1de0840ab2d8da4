#include "SearchCondition.h"

#include <QRegularExpression>

namespace tavi::formats {

namespace {

// Deeper nesting is not something a search dialog writes; refusing it bounds the recursion.
constexpr int kMaxDepth = 32;

template <typename T>
struct Named {
    const char* name;
    T value;
};

template <typename T, std::size_t N>
std::optional<T> lookUp(const Named<T> (&table)[N], QStringView name) {
    for (const auto& row : table) {
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) {
            return row.value;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<SearchCondition> SearchCondition::ParseLeaf(const QXmlStreamAttributes& attributes) {
    static const Named<Property> kProperties[] = {
        {"System.FileName", Property::Name},
        {"System.ItemNameDisplay", Property::Name},
        {"System.ItemName", Property::Name},
        {"System.FileExtension", Property::Extension},
        {"System.ItemType", Property::Extension},
        {"System.Size", Property::Size},
        {"System.ItemPathDisplay", Property::Path},
        {"System.ItemFolderPathDisplay", Property::Folder},
    };
    static const Named<Operator> kOperators[] = {
        {"eq", Operator::Equal},
        {"equals", Operator::Equal},
        {"ne", Operator::NotEqual},
        {"notequal", Operator::NotEqual},
        {"lt", Operator::Less},
        {"gt", Operator::Greater},
        {"lte", Operator::LessEqual},
        {"gte", Operator::GreaterEqual},
        {"starts", Operator::StartsWith},
        {"startswith", Operator::StartsWith},
        {"wordstarts", Operator::StartsWith},
        {"ends", Operator::EndsWith},
        {"endswith", Operator::EndsWith},
        {"contains", Operator::Contains},
        {"wordmatch", Operator::Wildcard},
        {"notcontains", Operator::NotContains},
        {"doesnotcontain", Operator::NotContains},
        {"dosmatch", Operator::Wildcard},
        {"doswildcards", Operator::Wildcard},
    };
    const auto property = lookUp(kProperties, attributes.value(QLatin1String("property")));
    const auto op = lookUp(kOperators, attributes.value(QLatin1String("operator")));
    if (!property || !op) {
        return std::nullopt;
    }
    SearchCondition leaf;
    leaf.m_property = *property;
    leaf.m_operator = *op;
    leaf.m_value = attributes.value(QLatin1String("value")).toString();
    if (leaf.m_operator == Operator::Wildcard &&
        (leaf.m_value.contains(u'*') || leaf.m_value.contains(u'?'))) {
        leaf.m_pattern =
            QRegularExpression(QRegularExpression::wildcardToRegularExpression(leaf.m_value),
                               QRegularExpression::CaseInsensitiveOption);
        if (!leaf.m_pattern.isValid()) {
            return std::nullopt;
        }
    }
    if (leaf.m_property == Property::Size) {
        bool ok = false;
        leaf.m_value.toLongLong(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    return leaf;
}

std::optional<SearchCondition> SearchCondition::Parse(QXmlStreamReader& xml, int depth) {
    static const Named<Type> kTypes[] = {
        {"andCondition", Type::And},
        {"orCondition", Type::Or},
        {"notCondition", Type::Not},
        {"leafCondition", Type::Leaf},
    };
    const auto type = lookUp(kTypes, xml.attributes().value(QLatin1String("type")));
    if (!type || depth > kMaxDepth) {
        return std::nullopt;
    }
    std::optional<SearchCondition> result;
    if (*type == Type::Leaf) {
        result = ParseLeaf(xml.attributes());
    } else {
        result = SearchCondition{};
        result->m_type = *type;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("condition")) {
            xml.skipCurrentElement();  // attributes and the like carry nothing we evaluate
            continue;
        }
        auto child = Parse(xml, depth + 1);
        if (!child || !result || *type == Type::Leaf) {
            return std::nullopt;
        }
        result->m_children.append(std::move(*child));
    }
    if (!result || xml.hasError() || (*type == Type::Not && result->m_children.size() != 1)) {
        return std::nullopt;
    }
    return result;
}

bool SearchCondition::Matches(const QFileInfo& file) const {
    switch (m_type) {
        case Type::And:
            return std::all_of(m_children.begin(), m_children.end(),
                               [&](const SearchCondition& c) { return c.Matches(file); });
        case Type::Or:
            return std::any_of(m_children.begin(), m_children.end(),
                               [&](const SearchCondition& c) { return c.Matches(file); });
        case Type::Not:
            return !m_children.front().Matches(file);
        case Type::Leaf:
            break;
    }
    return MatchesLeaf(file);
}

bool SearchCondition::MatchesLeaf(const QFileInfo& file) const {
    if (m_property == Property::Size) {
        const qint64 size = file.size();
        const qint64 value = m_value.toLongLong();
        switch (m_operator) {
            case Operator::Equal:
                return size == value;
            case Operator::NotEqual:
                return size != value;
            case Operator::Less:
                return size < value;
            case Operator::Greater:
                return size > value;
            case Operator::LessEqual:
                return size <= value;
            case Operator::GreaterEqual:
                return size >= value;
            default:
                return false;
        }
    }
    QString subject;
    switch (m_property) {
        case Property::Name:
            subject = file.fileName();
            break;
        case Property::Extension:
            subject = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
            break;
        case Property::Path:
            subject = file.absoluteFilePath();
            break;
        default:
            subject = file.absolutePath();
            break;
    }
    const int order = subject.compare(m_value, Qt::CaseInsensitive);
    switch (m_operator) {
        case Operator::Equal:
            return order == 0;
        case Operator::NotEqual:
            return order != 0;
        case Operator::Less:
            return order < 0;
        case Operator::Greater:
            return order > 0;
        case Operator::LessEqual:
            return order <= 0;
        case Operator::GreaterEqual:
            return order >= 0;
        case Operator::StartsWith:
            return subject.startsWith(m_value, Qt::CaseInsensitive);
        case Operator::EndsWith:
            return subject.endsWith(m_value, Qt::CaseInsensitive);
        case Operator::Contains:
            return subject.contains(m_value, Qt::CaseInsensitive);
        case Operator::NotContains:
            return !subject.contains(m_value, Qt::CaseInsensitive);
        case Operator::Wildcard:
            break;
    }
    // A pattern without wildcards matches as a word anywhere in the text, like the shell's
    // word match; with them, the whole text must fit it.
    if (!m_pattern.isValid() || m_pattern.pattern().isEmpty()) {
        return subject.contains(m_value, Qt::CaseInsensitive);
    }
    return m_pattern.match(subject).hasMatch();
}

}  // namespace tavi::formats
