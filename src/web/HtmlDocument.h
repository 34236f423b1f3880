#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <string>
#include <vector>

struct GumboInternalNode;
struct GumboInternalOutput;

namespace platform {

// One element of a loaded page. Valid as long as its document lives.
class HtmlElement {
public:
    // Upper case, as a browser reports it: "BODY", "TD".
    QString tagName() const;
    // The element's content serialised as the page parser expects it (see HtmlSerializer.h).
    QString innerhtml() const;

private:
    friend class HtmlDocument;
    explicit HtmlElement(const GumboInternalNode *node) : node(node) {}
    const GumboInternalNode *node;
};

// Every element of a document in document order (HTML first, then HEAD, ...).
class ElementCollection {
public:
    int Length() const { return static_cast<int>(elements.size()); }
    // nullptr for an index outside 0..Length()-1.
    const HtmlElement *Item(int index) const;

private:
    friend class HtmlDocument;
    std::vector<HtmlElement> elements;
};

// A page parsed the way a browser parses it (HTML5 tree building, so implied elements such as
// TBODY exist). Never fails: any bytes give some document.
class HtmlDocument {
public:
    // Markup in UTF-8.
    static std::unique_ptr<HtmlDocument> Parse(std::string utf8Markup);
    // Bytes as a server sent them, with its Content-Type header; without a charset there, the
    // one a <meta> element declares. Text declared as UTF-8, or undeclared and valid UTF-8, is
    // read as UTF-8; anything else as windows-1252, as browsers read Western pages. No byte
    // sequence is rejected.
    static std::unique_ptr<HtmlDocument> FromBytes(const QByteArray &bytes,
                                                   const QByteArray &contentType = {});
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument &) = delete;
    HtmlDocument &operator=(const HtmlDocument &) = delete;

    const ElementCollection &All() const { return all; }

private:
    HtmlDocument() = default;

    class Arena;

    std::string source;            // the tree points into it
    std::unique_ptr<Arena> arena;  // holds the tree of a page of ordinary size
    GumboInternalOutput *output = nullptr;
    ElementCollection all;
};

}  // namespace platform
