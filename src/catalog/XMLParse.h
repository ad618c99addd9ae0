#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>

#include <optional>

// A small window onto one XML file for the catalogue readers: load it, pick an element under a
// parent by name and zero-based position, count child elements, read an attribute.
//
// Queries are element names, optionally followed by a zero-based position in brackets:
// "effect" (the first effect child), "effect[2]" (the third), "*" (every child element). Blanks
// around the name are ignored. Against the document itself a name selects the root element
// when, and only when, the root carries that name. A null element stands for "no node".
//
// One object serves one reading on one thread; it is never shared.
class XMLParse {
public:
    XMLParse() = default;
    virtual ~XMLParse() = default;
    XMLParse(const XMLParse&) = delete;
    XMLParse& operator=(const XMLParse&) = delete;

    // Loads the file at path, replacing whatever was loaded before. A null path, a missing file
    // or malformed XML leaves no document and returns false.
    bool Load(const QString& path);
    bool isLoaded() const { return !document.isNull(); }

    // Without a document: null. With a null parent: name is evaluated against the document and
    // index is ignored. Otherwise index 0 evaluates name as it is and any other index asks for
    // "name[index]". Returns the first match or a null element.
    QDomElement SelectNode(int index, const QDomElement& parent, const QString& name) const;

    // How many child elements of node the query name matches; a null name counts every child
    // element, a null node gives 0.
    int CountNodes(const QDomElement& node, const QString& name) const;

    // The attribute's text; empty when the attribute is present but empty, nullopt when node is
    // null or has no such attribute.
    std::optional<QString> ReadAttribute(const QDomElement& node, const QString& name) const;

private:
    QDomDocument document;
};
