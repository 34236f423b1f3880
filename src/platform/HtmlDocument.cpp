#include "platform/HtmlDocument.h"

#include <gumbo.h>

#include <QStringDecoder>

#include "platform/HtmlSerializer.h"

namespace platform {

QString HtmlElement::tagName() const { return QString::fromStdString(TagNameOf(node)); }

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

std::unique_ptr<HtmlDocument> HtmlDocument::Parse(std::string utf8Markup)
{
    std::unique_ptr<HtmlDocument> document(new HtmlDocument);
    document->source = std::move(utf8Markup);
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;  // nobody reads them, and recording them costs time
    document->output = gumbo_parse_with_options(&options, document->source.data(),
                                                document->source.size());

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

bool DeclaresUtf8(const QByteArray &contentType)
{
    QByteArray lower = contentType.toLower();
    int at = lower.indexOf("charset=");
    if (at < 0)
        return false;
    QByteArray charset = lower.mid(at + 8).trimmed();
    if (charset.startsWith('"'))
        charset = charset.mid(1);
    return charset.startsWith("utf-8") || charset.startsWith("utf8");
}

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

std::unique_ptr<HtmlDocument> HtmlDocument::FromBytes(const QByteArray &bytes,
                                                      const QByteArray &contentType)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    if (IsValidUtf8(body))
        return Parse(body.toStdString());
    // Broken sequences in text that claims to be UTF-8 become replacement characters.
    if (DeclaresUtf8(contentType))
        return Parse(QString::fromUtf8(body).toUtf8().toStdString());
    return Parse(QString::fromLatin1(body).toUtf8().toStdString());
}

HtmlDocument::~HtmlDocument()
{
    if (output)
        gumbo_destroy_output(&kGumboDefaultOptions, output);
}

}  // namespace platform
