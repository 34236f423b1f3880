#include "web/HtmlDocument.h"

#include <gumbo.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>

#include "platform/TextCodec.h"
#include "web/HtmlSerializer.h"

namespace web {

QString HtmlElement::tagName() const
{
    return QString::fromStdString(TagNameOf(node));
}

QString HtmlElement::innerhtml() const
{
    return *InnerHtmlWithin(std::string::npos);
}

std::optional<QString> HtmlElement::InnerHtmlWithin(std::size_t maxBytes) const
{
    std::string html;
    if (!AppendInnerHtml(node, html, maxBytes))
        return std::nullopt;
    return QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size()));
}

const HtmlElement *ElementCollection::Item(int index) const
{
    if (index < 0 || index >= Length())
        return nullptr;
    return &elements[static_cast<size_t>(index)];
}

// The parser makes and drops many small buffers while it builds the tree; handing them out from
// a few large blocks and dropping the blocks with the document saves a good part of the parse.
// Freed buffers are not reused, so the blocks grow to about twenty times the page. The blocks
// never pass TreeBudget: a parse that would take more is stopped where it is (the parser's C
// frames hold nothing but what lies in the blocks).
class HtmlDocument::Arena {
public:
    static void *Allocate(void *userdata, size_t size)
    {
        return static_cast<Arena *>(userdata)->Take(size);
    }
    static void Release(void *, void *) {}

    std::jmp_buf overrun;

private:
    static constexpr size_t BlockSize = 256 * 1024;

    void *Take(size_t size)
    {
        size = (size + 15) & ~size_t(15);
        if (left < size) {
            if (size > TreeBudget || taken > TreeBudget - std::max(size, BlockSize))
                std::longjmp(overrun, 1);
            size_t blockSize = std::max(size, BlockSize);
            blocks.push_back(std::make_unique_for_overwrite<std::max_align_t[]>(
                (blockSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t)));
            next = reinterpret_cast<char *>(blocks.back().get());
            left = blockSize;
            taken += blockSize;
        }
        void *taken = next;
        next += size;
        left -= size;
        return taken;
    }

    std::vector<std::unique_ptr<std::max_align_t[]>> blocks;
    char *next = nullptr;
    size_t left = 0;   // bytes after next in the last block
    size_t taken = 0;  // in all blocks
};

// No object with a destructor lives between here and the arena's jump.
GumboOutput *HtmlDocument::ParseWithin(Arena &arena, const GumboOptions &options,
                                       const std::string &source)
{
    if (setjmp(arena.overrun) != 0)
        return nullptr;
    return gumbo_parse_with_options(&options, source.data(), source.size());
}

std::unique_ptr<HtmlDocument> HtmlDocument::Parse(std::string utf8Markup)
{
    std::unique_ptr<HtmlDocument> document(new HtmlDocument);
    document->source = std::move(utf8Markup);
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // nobody reads them, and recording them costs time
    document->arena = std::make_unique<Arena>();
    options.allocator = &Arena::Allocate;
    options.deallocator = &Arena::Release;
    options.userdata = document->arena.get();
    document->output = ParseWithin(*document->arena, options, document->source);
    if (!document->output) {
        // What the stopped parse made goes with its arena; the document is that of no markup.
        document->refused = true;
        document->source.clear();
        document->arena = std::make_unique<Arena>();
        options.userdata = document->arena.get();
        document->output = ParseWithin(*document->arena, options, document->source);
    }

    // Pre-order walk with an explicit stack: document order, and no recursion on deep junk.
    std::vector<const GumboNode *> pending{document->output->root};
    while (!pending.empty()) {
        const GumboNode *node = pending.back();
        pending.pop_back();
        document->all.elements.push_back(HtmlElement(node));
        const GumboVector &children = node->v.element.children;
        for (unsigned i = children.length; i-- > 0;) {
            const auto *child = static_cast<const GumboNode *>(children.data[i]);
            if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE)
                pending.push_back(child);
        }
    }
    return document;
}

namespace {

// The charset parameter of a Content-Type header, lower case; empty when there is none.
QByteArray DeclaredCharset(const QByteArray &contentType)
{
    QByteArray lower = contentType.toLower();
    qsizetype at = lower.indexOf("charset=");
    if (at < 0)
        return {};
    QByteArray charset = lower.mid(at + 8);
    qsizetype end = charset.indexOf(';');
    if (end >= 0)
        charset.truncate(end);
    charset = charset.trimmed();
    if (charset.startsWith('"') && charset.endsWith('"') && charset.size() >= 2)
        charset = charset.mid(1, charset.size() - 2);
    return charset;
}

// The charset a <meta> element of the first 1024 bytes declares (http-equiv content or the
// charset attribute), lower case; empty when there is none. Browsers look no further.
QByteArray MetaCharset(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(1024).toLower();
    for (qsizetype at = head.indexOf("<meta"); at >= 0; at = head.indexOf("<meta", at + 5)) {
        const qsizetype end = head.indexOf('>', at);
        const QByteArray tag = head.mid(at, end < 0 ? -1 : end - at);
        const qsizetype charset = tag.indexOf("charset");
        if (charset < 0)
            continue;
        qsizetype p = charset + 7;
        while (p < tag.size() &&
               (tag[p] == ' ' || tag[p] == '=' || tag[p] == '"' || tag[p] == '\''))
            ++p;
        qsizetype q = p;
        while (q < tag.size() && tag[q] != '"' && tag[q] != '\'' && tag[q] != ';' &&
               tag[q] != ' ' && tag[q] != '/')
            ++q;
        if (q > p)
            return tag.mid(p, q - p);
    }
    return {};
}

bool IsUtf8Label(const QByteArray &charset)
{
    return charset == "utf-8" || charset == "utf8" || charset == "unicode-1-1-utf-8";
}

}  // namespace

std::unique_ptr<HtmlDocument> HtmlDocument::FromBytes(const QByteArray &bytes,
                                                      const QByteArray &contentType)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QByteArray charset = DeclaredCharset(contentType);
    if (charset.isEmpty())
        charset = MetaCharset(body);
    const bool valid = platform::IsValidUtf8(body.constData(), body.size());
    if (IsUtf8Label(charset) || (charset.isEmpty() && valid)) {
        if (valid)
            return Parse(body.toStdString());
        // Broken sequences in text that says it is UTF-8 become replacement characters.
        return Parse(QString::fromUtf8(body).toUtf8().toStdString());
    }
    // Every single-byte charset of the pages the program reads is Western: read as browsers read
    // ISO-8859-1 and windows-1252, so 0x92 is a typographic apostrophe and not a control.
    return Parse(platform::DecodeWindows1252(body.constData(), body.size()).toUtf8().toStdString());
}

// An arena goes as a whole with its blocks.
HtmlDocument::~HtmlDocument() = default;

}  // namespace web
