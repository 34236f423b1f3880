#include "web/HtmlSerializer.h"

#include <gumbo.h>

#include <array>
#include <cstring>
#include <vector>

namespace web {
namespace {

std::string UpperAscii(const char *text, size_t length)
{
    std::string name(text, length);
    for (char &c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

const std::string &KnownTagName(GumboTag tag)
{
    static const auto names = [] {
        std::array<std::string, GUMBO_TAG_LAST + 1> table;
        for (int t = 0; t < GUMBO_TAG_LAST; ++t) {
            const char *name = gumbo_normalized_tagname(static_cast<GumboTag>(t));
            table[static_cast<size_t>(t)] = UpperAscii(name, std::strlen(name));
        }
        return table;
    }();
    return names[static_cast<size_t>(tag)];
}

bool IsVoid(GumboTag tag)
{
    switch (tag) {
        case GUMBO_TAG_AREA:
        case GUMBO_TAG_BASE:
        case GUMBO_TAG_BASEFONT:
        case GUMBO_TAG_BGSOUND:
        case GUMBO_TAG_BR:
        case GUMBO_TAG_COL:
        case GUMBO_TAG_EMBED:
        case GUMBO_TAG_FRAME:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_IMAGE:
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_INPUT:
        case GUMBO_TAG_KEYGEN:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_META:
        case GUMBO_TAG_PARAM:
        case GUMBO_TAG_SOURCE:
        case GUMBO_TAG_TRACK:
        case GUMBO_TAG_WBR:
            return true;
        default:
            return false;
    }
}

// Elements whose text the tokenizer took literally; a browser gives it back unescaped.
bool HoldsRawText(GumboTag tag)
{
    switch (tag) {
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_XMP:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_NOEMBED:
        case GUMBO_TAG_NOFRAMES:
        case GUMBO_TAG_PLAINTEXT:
            return true;
        default:
            return false;
    }
}

// The tokenizer has already turned every CR and CR LF of the source into LF, so each LF here is
// one line break of the source. Stops soon after out passes maxBytes.
void AppendText(const char *text, bool raw, std::string &out,
                std::size_t maxBytes = std::string::npos)
{
    const char *run = text;
    const char *p = text;
    auto flush = [&] { out.append(run, static_cast<size_t>(p - run)); };
    for (; *p; ++p) {
        const char *replacement = nullptr;
        size_t skip = 1;
        switch (*p) {
            case '\n':
                replacement = "\r\n";
                break;
            case '&':
                replacement = raw ? nullptr : "&amp;";
                break;
            case '<':
                replacement = raw ? nullptr : "&lt;";
                break;
            case '>':
                replacement = raw ? nullptr : "&gt;";
                break;
            case '\xC2':
                if (!raw && p[1] == '\xA0') {
                    replacement = "&nbsp;";
                    skip = 2;
                }
                break;
            default:
                break;
        }
        if (!replacement)
            continue;
        flush();
        out += replacement;
        p += skip - 1;
        run = p + 1;
        if (out.size() > maxBytes)
            return;
    }
    flush();
}

bool NeedsQuotes(const char *value)
{
    if (!*value)
        return true;
    for (const char *p = value; *p; ++p) {
        char c = *p;
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_';
        if (!plain)
            return true;
    }
    return false;
}

void AppendAttribute(const GumboAttribute *attribute, std::string &out)
{
    out += ' ';
    out += attribute->name;
    // Written in the source as a bare name (<td nowrap>): gumbo then points the value's source
    // text at the name.
    if (attribute->original_value.data == attribute->original_name.data)
        return;
    out += '=';
    const char *value = attribute->value;
    if (!NeedsQuotes(value)) {
        out += value;
        return;
    }
    out += '"';
    for (const char *p = value; *p; ++p) {
        if (*p == '&')
            out += "&amp;";
        else if (*p == '"')
            out += "&quot;";
        else
            out += *p;
    }
    out += '"';
}

void AppendTagName(const GumboNode *element, std::string &out)
{
    GumboTag tag = element->v.element.tag;
    if (tag != GUMBO_TAG_UNKNOWN)
        out += KnownTagName(tag);
    else
        out += TagNameOf(element);
}

void AppendStartTag(const GumboNode *element, std::string &out)
{
    out += '<';
    AppendTagName(element, out);
    const GumboVector &attributes = element->v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i)
        AppendAttribute(static_cast<const GumboAttribute *>(attributes.data[i]), out);
    out += '>';
}

}  // namespace

std::string TagNameOf(const GumboNode *element)
{
    GumboTag tag = element->v.element.tag;
    if (tag != GUMBO_TAG_UNKNOWN)
        return KnownTagName(tag);
    GumboStringPiece original = element->v.element.original_tag;
    gumbo_tag_from_original_text(&original);
    return UpperAscii(original.data, original.length);
}

bool AppendInnerHtml(const GumboNode *element, std::string &out, std::size_t maxBytes)
{
    struct Frame {
        const GumboNode *element;
        unsigned next;
        bool raw;
    };
    std::vector<Frame> open;
    open.push_back({element, 0, HoldsRawText(element->v.element.tag)});
    while (!open.empty()) {
        if (out.size() > maxBytes)
            return false;
        Frame &top = open.back();
        const GumboVector &children = top.element->v.element.children;
        if (top.next >= children.length) {
            if (open.size() > 1) {
                out += "</";
                AppendTagName(top.element, out);
                out += '>';
            }
            open.pop_back();
            continue;
        }
        const auto *child = static_cast<const GumboNode *>(children.data[top.next++]);
        bool raw = top.raw;  // `top` dies with the push below
        switch (child->type) {
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE:
                AppendStartTag(child, out);
                if (!IsVoid(child->v.element.tag))
                    open.push_back({child, 0, HoldsRawText(child->v.element.tag)});
                break;
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
                AppendText(child->v.text.text, raw, out, maxBytes);
                break;
            case GUMBO_NODE_CDATA:
                out += "<![CDATA[";
                AppendText(child->v.text.text, true, out);
                out += "]]>";
                break;
            case GUMBO_NODE_COMMENT:
                out += "<!--";
                AppendText(child->v.text.text, true, out);
                out += "-->";
                break;
            case GUMBO_NODE_DOCUMENT:
                break;
        }
    }
    return out.size() <= maxBytes;
}

}  // namespace web
