#include "web/HtmlDocument.h"

#include <gumbo.h>

#include <algorithm>
#include <cstddef>

#include "web/HtmlSerializer.h"

namespace platform {

QString HtmlElement::tagName() const
{
    return QString::fromStdString(TagNameOf(node));
}

QString HtmlElement::innerhtml() const
{
    std::string html;
    AppendInnerHtml(node, html);
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
// Freed buffers are not reused, so the blocks grow to about twenty times the page; pages beyond
// ArenaPageLimit use the ordinary heap instead.
class HtmlDocument::Arena {
public:
    static constexpr size_t ArenaPageLimit = 1 << 20;

    static void *Allocate(void *userdata, size_t size)
    {
        return static_cast<Arena *>(userdata)->Take(size);
    }
    static void Release(void *, void *) {}

private:
    static constexpr size_t BlockSize = 256 * 1024;

    void *Take(size_t size)
    {
        size = (size + 15) & ~size_t(15);
        if (left < size) {
            size_t blockSize = std::max(size, BlockSize);
            blocks.push_back(std::make_unique_for_overwrite<std::max_align_t[]>(
                (blockSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t)));
            next = reinterpret_cast<char *>(blocks.back().get());
            left = blockSize;
        }
        void *taken = next;
        next += size;
        left -= size;
        return taken;
    }

    std::vector<std::unique_ptr<std::max_align_t[]>> blocks;
    char *next = nullptr;
    size_t left = 0;  // bytes after next in the last block
};

std::unique_ptr<HtmlDocument> HtmlDocument::Parse(std::string utf8Markup)
{
    std::unique_ptr<HtmlDocument> document(new HtmlDocument);
    document->source = std::move(utf8Markup);
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // nobody reads them, and recording them costs time
    if (document->source.size() <= Arena::ArenaPageLimit) {
        document->arena = std::make_unique<Arena>();
        options.allocator = &Arena::Allocate;
        options.deallocator = &Arena::Release;
        options.userdata = document->arena.get();
    }
    document->output =
        gumbo_parse_with_options(&options, document->source.data(), document->source.size());

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

bool IsAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        unsigned char c = *p++;
        if (c < 0x80)
            continue;
        int more;
        uint32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (end - p < more)
            return false;
        for (int i = 0; i < more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        p += more;
        // Overlong forms, surrogates and values past U+10FFFF.
        if ((more == 2 && code < 0x800) || (more == 3 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<HtmlDocument> HtmlDocument::FromBytes(const QByteArray &bytes,
                                                      const QByteArray &contentType)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QByteArray charset = DeclaredCharset(contentType);
    bool utf8 = charset == "utf-8" || charset == "utf8";
    if (utf8 || charset.isEmpty()) {
        if (IsValidUtf8(body))
            return Parse(body.toStdString());
        // Broken sequences in text that says it is UTF-8 become replacement characters.
        if (utf8)
            return Parse(QString::fromUtf8(body).toUtf8().toStdString());
    } else if (IsAscii(body)) {
        return Parse(body.toStdString());
    }
    // Any other single-byte charset is read as Latin-1: every byte is a character.
    return Parse(QString::fromLatin1(body).toUtf8().toStdString());
}

HtmlDocument::~HtmlDocument()
{
    // An arena goes as a whole with its blocks.
    if (output && !arena)
        gumbo_destroy_output(&kGumboDefaultOptions, output);
}

}  // namespace platform
