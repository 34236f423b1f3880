#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct GumboInternalNode;
struct GumboInternalOutput;
struct GumboInternalOptions;

namespace web {

// One element of a loaded page. Valid as long as its document lives.
class HtmlElement {
public:
    // Upper case, as a browser reports it: "BODY", "TD".
    QString tagName() const;
    // The element's content serialised as the page parser expects it (see HtmlSerializer.h).
    QString innerhtml() const;
    // The same when it takes at most maxBytes in UTF-8; nothing otherwise, without writing the
    // rest of it.
    std::optional<QString> InnerHtmlWithin(std::size_t maxBytes) const;

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
    // The most memory the tree of one page may take. No page of the screener comes near it
    // (a result page takes about 1 MB); markup that would take more (millions of elements or
    // attributes, or formatting elements reopened over and over) is refused: its document is
    // that of no markup, and Refused() says so.
    static constexpr size_t TreeBudget = 64 * 1024 * 1024;

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
    bool Refused() const { return refused; }

private:
    HtmlDocument() = default;

    class Arena;
    // The tree of the source, or null when it would pass the arena's budget.
    static GumboInternalOutput *ParseWithin(Arena &arena, const GumboInternalOptions &options,
                                            const std::string &source);

    std::string source;            // the tree points into it
    std::unique_ptr<Arena> arena;  // holds the tree
    GumboInternalOutput *output = nullptr;
    ElementCollection all;
    bool refused = false;
};

}  // namespace web
