#include "XMLParse.h"

#include "ReportLine.h"

#include <QFile>
#include <QList>

namespace {

// A parsed query: an element name ("*" for any) and, when given in brackets, a position.
struct NodeQuery {
    QString name;
    int position = -1; // -1: every match
    bool valid = false;
};

bool isValidName(const QString& name) {
    if (name == QLatin1String("*"))
        return true;
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (c.isSpace() || c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('/'))
            return false;
    }
    return true;
}

NodeQuery parseQuery(const QString& text) {
    NodeQuery query;
    const QString trimmed = text.trimmed();
    const qsizetype open = trimmed.indexOf(QLatin1Char('['));
    if (open < 0) {
        query.name = trimmed;
        query.valid = isValidName(query.name);
        return query;
    }
    if (!trimmed.endsWith(QLatin1Char(']')))
        return query;
    query.name = trimmed.left(open).trimmed();
    const QString digits = trimmed.mid(open + 1, trimmed.size() - open - 2).trimmed();
    bool ok = false;
    const int position = digits.toInt(&ok);
    if (!ok || position < 0 || digits.startsWith(QLatin1Char('+')))
        return query;
    query.position = position;
    query.valid = isValidName(query.name);
    return query;
}

bool matches(const QDomElement& element, const QString& name) {
    return name == QLatin1String("*") || element.tagName() == name;
}

// The child elements of parent that the query selects, in document order.
QList<QDomElement> childMatches(const QDomNode& parent, const NodeQuery& query) {
    QList<QDomElement> found;
    if (!query.valid || parent.isNull())
        return found;
    int seen = 0;
    for (QDomElement child = parent.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (!matches(child, query.name))
            continue;
        if (query.position < 0) {
            found.append(child);
        } else if (seen++ == query.position) {
            found.append(child);
            break;
        }
    }
    return found;
}

} // namespace

bool XMLParse::Load(const QString& path) {
    document = QDomDocument();
    if (path.isNull())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportFailureOnce("XMLParse::Load", __LINE__,
                          QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    QDomDocument loaded;
    QString error;
    int line = 0;
    int column = 0;
    if (!loaded.setContent(&file, &error, &line, &column)) {
        reportFailureOnce("XMLParse::Load", __LINE__,
                          QStringLiteral("cannot read %1: %2 at line %3, column %4")
                              .arg(path, error)
                              .arg(line)
                              .arg(column));
        return false;
    }
    document = loaded;
    return true;
}

QDomElement XMLParse::SelectNode(int index, const QDomElement& parent, const QString& name) const {
    if (document.isNull())
        return {};
    if (parent.isNull()) {
        const QList<QDomElement> found = childMatches(document, parseQuery(name));
        return found.isEmpty() ? QDomElement() : found.first();
    }
    const QString query = index == 0 ? name : QStringLiteral("%1[%2]").arg(name).arg(index);
    const QList<QDomElement> found = childMatches(parent, parseQuery(query));
    return found.isEmpty() ? QDomElement() : found.first();
}

int XMLParse::CountNodes(const QDomElement& node, const QString& name) const {
    if (node.isNull())
        return 0;
    const QString query = name.isNull() ? QStringLiteral("*") : name;
    return static_cast<int>(childMatches(node, parseQuery(query)).size());
}

std::optional<QString> XMLParse::ReadAttribute(const QDomElement& node, const QString& name) const {
    if (node.isNull())
        return std::nullopt;
    if (!node.hasAttribute(name))
        return std::nullopt;
    return node.attribute(name);
}
